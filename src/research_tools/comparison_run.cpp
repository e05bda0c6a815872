#include "research_tools/comparison_run.h"

#include "metrics/baidu_guard.h"
#include "metrics/index_lookups.h"
#include "metrics/number_text.h"
#include "metrics/row_handle.h"
#include "platform/clock.h"
#include "platform/wait.h"
#include "research_tools/comparison_page.h"
#include "research_tools/notice.h"
#include "research_tools/row_cell.h"
#include "shared/busy_indicator.h"
#include "shared/cxhtml.h"
#include "shared/running_job.h"
#include "shared/text_helpers.h"

namespace research {
namespace {

// Cells of a comparison row, from the row text on.
enum ComparisonCell { kVolume = 1, kCount, kPaid, kHome, kFresh, kDegree };

const QString kNotObtained = QStringLiteral("-");

// Numbers by their value, before the cells that hold none ("-", empty), which go by text.
bool NumberLess(QStringView a, QStringView b) {
    const std::optional<double> x = metrics::ReadNumber(a.toString());
    const std::optional<double> y = metrics::ReadNumber(b.toString());
    if (x && y) return *x < *y;
    if (x.has_value() != y.has_value()) return x.has_value();
    return platform::TextLess(a, b);
}

void BuildRows(ComparisonPage& page, const QString& input) {
    page.State().LastComparisonInput = input;
    platform::RowTable& list = page.List();
    list.Clear();
    for (const QString& keyword : ComparisonKeywords(input)) list.Add(keyword);
}

void RequestPause(ComparisonPage& page) {
    page.State().ComparisonRunning = false;
    page.SetButtonCaption(kComparisonStoppingCaption);
    page.SetButtonEnabled(false);
}

void EndRun(ComparisonPage& page, const QString& busy) {
    ComparisonState& state = page.State();
    state.InRun = false;
    state.ComparisonRunning = false;
    state.Paused = busy == BusyIndicator::kPaused;
    page.SetButtonCaption(kComparisonStartCaption);
    page.SetButtonEnabled(true);
    BusyIndicator::Set(busy);
    page.SetListCommandsEnabled(true);
}

// GetStbar1: the list's row count and the keyword at work.
void ShowProgress(ComparisonPage& page, const QString& keyword) {
    page.SetProgressPanels(QStringLiteral("累计已分析关键词：") +
                               QString::number(page.List().Count()) + QStringLiteral("个"),
                           QStringLiteral("当前分析关键词：") + keyword);
}

// Fills the row of `keyword` and marks it done, or leaves it plain with "-" where a value was
// not obtained, so that a resumed run tries it again.
void AnalyseRow(ComparisonPage& page, CXHtml& fetcher, const metrics::RowHandle& row,
                const QString& keyword) {
    metrics::WindowContext& window = page.Window();
    fetcher.Char(QStringLiteral("gb2312"));
    const QString pair = metrics::LookUpVolume(window, fetcher, keyword, keyword);
    const QString volume = pair.isEmpty() ? kNotObtained : pair.section(u'-', 1);
    WriteCell(row, kVolume, volume);

    const QString results =
        metrics::FetchBaiduAddress(window, fetcher, metrics::BaiduSearchAddress(keyword));
    if (metrics::JudgeBaiduPage(results) == metrics::BaiduPage::Other) {
        for (int cell = kCount; cell <= kDegree; ++cell) WriteCell(row, cell, kNotObtained);
        return;
    }
    const QString count = metrics::BaiduCount(results);
    WriteCell(row, kCount, count);
    const ResultPageCounts counts = AnalyseResultPage(results, platform::TheClock().Now().date());
    WriteCell(row, kPaid, QString::number(counts.paid));
    WriteCell(row, kHome, QString::number(counts.home));
    WriteCell(row, kFresh, QString::number(counts.fresh));
    platform::DoEvents();

    const std::optional<double> ratio = VolumeCountRatio(volume, count);
    WriteCell(row, kDegree,
              ratio ? CompetitionDegree(counts, VolumeRatioScore(*ratio)) : kNotObtained);
    if (!ratio) return;
    if (const int index = row.Index()) page.List().SetBold(index, true);
}

}  // namespace

std::vector<platform::Column> ComparisonColumns() {
    return {
        {QStringLiteral("关键词"), 2400},          {QStringLiteral("百度搜索量-月均"), 1600},
        {QStringLiteral("百度收录数"), 1400},      {QStringLiteral("百度左侧广告数"), 1600},
        {QStringLiteral("Top10独立网站数"), 1700}, {QStringLiteral("Top10网站三天内快照数"), 2300},
        {QStringLiteral("关键词竞争度"), 1400}};
}

void ComparisonClick(ComparisonPage& page) {
    const QString text = page.KeywordText();
    if (text.isEmpty()) {
        Notify(QStringLiteral("请输入要分析的关键词，多个用#分开"));
        return;
    }
    ComparisonState& state = page.State();
    // A running list is never rebuilt under the run: a changed text waits for the next start.
    if (page.ButtonCaption() != kComparisonStartCaption) {
        RequestPause(page);
        return;
    }
    if (jobs::RefuseStartWhileBusy()) return;
    const jobs::Running running(QStringLiteral("关键词对比"));
    const QString input = TrimBlanks(text);
    if (input != state.LastComparisonInput) BuildRows(page, input);

    page.List().SetSorting(std::nullopt);
    page.SetButtonCaption(kComparisonPauseCaption);
    BusyIndicator::Set(BusyIndicator::kRunning);
    page.SetListCommandsEnabled(false);
    state.ComparisonRunning = true;
    state.InRun = true;
    Duibi(page);
}

void Duibi(ComparisonPage& page) {
    ComparisonState& state = page.State();
    platform::RowTable& list = page.List();
    // The rows are taken by key when the run starts: they are found again wherever they stand.
    std::vector<quint64> keys;
    keys.reserve(list.Count());
    for (int index = 1; index <= list.Count(); ++index) keys.push_back(list.Key(index));

    CXHtml fetcher;
    for (const quint64 key : keys) {
        if (!state.ComparisonRunning) {
            EndRun(page, BusyIndicator::kPaused);
            return;
        }
        const int index = list.IndexOfKey(key);
        if (index == 0 || list.Bold(index)) continue;
        const QString keyword = list.Text(index);
        ShowProgress(page, keyword);
        AnalyseRow(page, fetcher, metrics::RowHandle(&list, index), keyword);
    }
    EndRun(page, BusyIndicator::kReady);
    page.SetProgressPanels(QString(), QString());
}

void ComparisonColumnClick(ComparisonPage& page, int column) {
    ComparisonState& state = page.State();
    if (state.InRun) return;
    state.SortOrder =
        state.SortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    page.List().SetSorting(
        platform::SortRule{column, state.SortOrder, column == 0 ? platform::TextLess : NumberLess});
}

}  // namespace research
