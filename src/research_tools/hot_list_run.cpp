#include "research_tools/hot_list_run.h"

#include "metrics/baidu_guard.h"
#include "metrics/index_lookups.h"
#include "metrics/index_pair.h"
#include "metrics/optimisation_index.h"
#include "metrics/row_handle.h"
#include "research_tools/hot_categories.h"
#include "research_tools/hot_list_page.h"
#include "research_tools/notice.h"
#include "research_tools/row_cell.h"
#include "shared/busy_indicator.h"
#include "shared/cxhtml.h"
#include "shared/running_job.h"
#include "shared/text_helpers.h"

namespace research {
namespace {

// Cells of a list row, from the row text on.
enum HotCell { kToday = 1, kTotal = 2, kAverage = 3, kVolume = 4, kCount = 5, kIndex = 6 };
constexpr int kVolumeColumn = kVolume + 1;
constexpr int kTotalColumn = kTotal + 1;

// Volume, result count and optimisation index of the row just added for `keyword`.
void FillMetrics(HotListPage& page, CXHtml& fetcher, const metrics::RowHandle& row,
                 const QString& keyword) {
    const QString trimmed = TrimBlanks(keyword);
    if (trimmed.isEmpty()) {
        for (const int cell : {kVolume, kCount, kIndex}) WriteCell(row, cell, QStringLiteral("-"));
        return;
    }
    const QString pair = metrics::LookUpVolume(page.Window(), fetcher, keyword, keyword);
    const QString volume = metrics::SplitIndexPair(pair).month;
    WriteCell(row, kVolume, volume);

    fetcher.url(metrics::BaiduSearchAddress(trimmed));
    fetcher.Char(QStringLiteral("gb2312"));
    const QString count = HotListCount(fetcher.GetSrcOnSuccess());
    WriteCell(row, kCount, count);
    WriteCell(row, kIndex, metrics::OptimisationIndex(volume, count));
}

void ListRow(HotListPage& page, CXHtml& fetcher, const HotListRow& parsed, HotPageKind kind) {
    platform::RowTable& list = page.List();
    const metrics::RowHandle row(&list, list.Add(parsed.keyword).Index());
    WriteCell(row, kToday, parsed.today);
    if (parsed.total) WriteCell(row, kTotal, *parsed.total);
    if (parsed.average) WriteCell(row, kAverage, *parsed.average);
    if (const std::optional<QString> header = TotalHeader(kind))
        list.SetColumnText(kTotalColumn, *header);
    if (page.ShowsMetrics()) FillMetrics(page, fetcher, row, parsed.keyword);
}

void RequestPause(HotListPage& page) {
    page.State().HotListRunning = false;
    page.SetButtonCaption(kHotStoppingCaption);
    page.SetButtonEnabled(false);
}

// Clears the list for a run that starts afresh; a run that resumes keeps it. Either way the
// start's node and page are recorded, and the row to begin at is returned.
int PrepareStart(HotListPage& page) {
    HotListState& state = page.State();
    const int node = page.SelectedNodeIndex();
    const bool resumes = state.Paused && node == state.LastHotCategoryIndex &&
                         state.ChosenPage == state.LastHotPage && state.txthoti > 0;
    state.LastHotCategoryIndex = node;
    state.LastHotPage = state.ChosenPage;
    if (resumes) return state.txthoti;
    page.List().Clear();
    state.txthoti = 0;
    return 1;
}

void EndRun(HotListPage& page, const QString& busy, bool paused) {
    HotListState& state = page.State();
    state.InRun = false;
    state.HotListRunning = false;
    state.Paused = paused;
    page.SetButtonCaption(kHotStartCaption);
    page.SetButtonEnabled(true);
    BusyIndicator::Set(busy);
}

}  // namespace

std::vector<platform::Column> HotListColumns() {
    return {{QStringLiteral("关键词"), 2400},        {QStringLiteral("当天搜索量"), 1200},
            {QStringLiteral("历史总搜索量"), 1300},  {QStringLiteral("日平均数"), 1100},
            {QStringLiteral("百度指数-月均"), 1400}, {QStringLiteral("网页搜索结果"), 1400},
            {QStringLiteral("优化指数"), 1000}};
}

void HotCategoryClick(HotListPage& page, const QString& nodeText) {
    page.List().SetColumnText(kVolumeColumn, QStringLiteral("百度搜索-月均"));
    const int chosen = FindHotSubcategory(nodeText);
    if (chosen < 0) return;
    const HotSubcategory& subcategory = HotKeywordCategories()[chosen];
    page.SetListCaption(subcategory.ListCaption());
    page.List().SetColumnText(kVolumeColumn, subcategory.VolumeHeader());
    page.State().ChosenPage = chosen;
}

void HotListClick(HotListPage& page) {
    HotListState& state = page.State();
    if (state.ChosenPage < 0) {
        Notify(QStringLiteral("请选择一个关键词子类！"));
        return;
    }
    // A click on a running list only pauses it; the node and page count at a start alone.
    if (page.ButtonCaption() != kHotStartCaption) {
        RequestPause(page);
        return;
    }
    if (jobs::RefuseStartWhileBusy()) return;
    const jobs::Running running(QStringLiteral("热门关键词"));
    const int first = PrepareStart(page);
    // The page and its layout are fixed for the whole run, whatever is clicked meanwhile.
    const HotSubcategory subcategory = HotKeywordCategories()[state.ChosenPage];
    page.List().SetSorting(std::nullopt);
    state.HotListRunning = true;
    state.InRun = true;
    state.Paused = false;
    page.SetButtonCaption(kHotPauseCaption);
    BusyIndicator::Set(BusyIndicator::kRunning);

    CXHtml fetcher;
    fetcher.url(subcategory.Address());
    fetcher.Char(QStringLiteral("gb2312"));
    const std::vector<HotListRow> rows =
        ParseHotListPage(fetcher.GetSrcOnSuccess(), subcategory.Kind());
    for (int i = first; i <= static_cast<int>(rows.size()); ++i) {
        state.txthoti = i;
        if (!state.HotListRunning) {
            EndRun(page, BusyIndicator::kPaused, true);
            return;
        }
        ListRow(page, fetcher, rows[i - 1], subcategory.Kind());
    }
    state.txthoti = 0;
    EndRun(page, BusyIndicator::kReady, false);
    page.FocusTree();
}

}  // namespace research
