#include "research_tools/index_query.h"

#include "metrics/baidu_guard.h"
#include "metrics/index_lookups.h"
#include "metrics/number_text.h"
#include "metrics/row_handle.h"
#include "metrics/search_pages.h"
#include "research_tools/index_query_pages.h"
#include "research_tools/notice.h"
#include "research_tools/row_cell.h"
#include "shared/cxhtml.h"
#include "shared/running_job.h"
#include "shared/url_encoding.h"
#include "shared/web_addresses.h"

namespace research {
namespace {

// Cells of a keyword row, from the row text on.
enum QueryCell {
    kMonth = 1,
    kDay,
    kBaiduCount,
    kGoogleCount,
    kBaiduIndex,
    kGoogleIndex,
    kWeek,
    kMonthAttention,
    kQuarter
};

constexpr Audience kAudiences[] = {Audience::Age, Audience::Occupation, Audience::Education};

QString Fetch(CXHtml& fetcher, const QString& address, const QString& charset) {
    fetcher.url(address);
    fetcher.Char(charset);
    return fetcher.GetSrcOnSuccess();
}

QString WordPageAddress(const QString& keyword) {
    return WebAddress::kBaiduIndex + QStringLiteral("/main/word.php?word=") + UrlEncodeGbk(keyword);
}

// Queries `keyword` into the row just added for it.
void QueryKeyword(IndexQueryPage& page, CXHtml& fetcher, const metrics::RowHandle& row,
                  const QString& keyword) {
    fetcher.Char(QStringLiteral("gb2312"));
    const QueryVolumes volumes =
        VolumesOf(metrics::LookUpVolume(page.Window(), fetcher, keyword, keyword));
    WriteCell(row, kMonth, volumes.month);
    WriteCell(row, kDay, volumes.day);

    const QString baidu = metrics::BaiduCount(
        Fetch(fetcher, metrics::BaiduSearchAddress(keyword), QStringLiteral("gb2312")));
    WriteCell(row, kBaiduCount, baidu);
    const QString google = metrics::GoogleCountAsWritten(Fetch(
        fetcher,
        WebAddress::kGoogleHk + QStringLiteral("/search?hl=zh-CN&q=") + UrlEncodeUtf8(keyword),
        QStringLiteral("UTF-8")));
    WriteCell(row, kGoogleCount, google);
    WriteCell(row, kBaiduIndex, QueryOptimisationIndex(volumes.month, baidu));
    WriteCell(row, kGoogleIndex, QueryOptimisationIndex(volumes.month, google));

    const Attention attention =
        ParseAttention(Fetch(fetcher, WordPageAddress(keyword), QStringLiteral("gb2312")));
    WriteCell(row, kWeek, attention.week);
    WriteCell(row, kMonthAttention, attention.month);
    WriteCell(row, kQuarter, attention.quarter);
}

void ShowDetail(IndexQueryPage& page, const QString& keyword, qint32 monthVolume) {
    page.HistoryList().Clear();
    metrics::GetBaiduIndex(page.Window(), keyword, 3);
    for (const Audience audience : kAudiences) page.AudienceList(audience).Clear();

    CXHtml fetcher;
    const QString wordPage = Fetch(fetcher, WordPageAddress(keyword), QStringLiteral("gb2312"));
    for (const Audience audience : kAudiences) {
        platform::RowTable& list = page.AudienceList(audience);
        for (const AudienceRow& group : ParseAudience(wordPage, audience, monthVolume)) {
            const platform::ListItem item = list.Add(group.label);
            item.SetSubItem(1, group.volume);
            item.SetSubItem(2, group.share);
        }
    }
}

}  // namespace

std::vector<platform::Column> IndexQueryColumns() {
    return {{QStringLiteral("关键词"), 1800},       {QStringLiteral("搜索量-月均"), 1100},
            {QStringLiteral("搜索量-昨日"), 1100},  {QStringLiteral("百度收录量"), 1200},
            {QStringLiteral("谷歌收录量"), 1200},   {QStringLiteral("百度优化指数"), 1200},
            {QStringLiteral("谷歌优化指数"), 1200}, {QStringLiteral("周用户关注度"), 1200},
            {QStringLiteral("月用户关注度"), 1200}, {QStringLiteral("季用户关注度"), 1200}};
}

std::vector<platform::Column> HistoryColumns() {
    return {{QStringLiteral("日期"), 1300}, {QStringLiteral("搜索量"), 800}};
}

std::vector<platform::Column> AudienceColumns(Audience audience) {
    switch (audience) {
        case Audience::Age:
            return {{QStringLiteral("年龄段"), 1100},
                    {QStringLiteral("搜索量"), 900},
                    {QStringLiteral("比例"), 800}};
        case Audience::Occupation:
            return {{QStringLiteral("职业"), 1100},
                    {QStringLiteral("搜索量"), 900},
                    {QStringLiteral("比率"), 800}};
        case Audience::Education:
            return {{QStringLiteral("学历"), 1100},
                    {QStringLiteral("搜索量"), 900},
                    {QStringLiteral("比例"), 800}};
    }
    return {};
}

void IndexQueryClick(IndexQueryPage& page) {
    const QStringList keywords = QueryKeywords(page.KeywordText());
    if (keywords.isEmpty()) {
        Notify(QStringLiteral("请输入要查询的关键词！"));
        return;
    }
    IndexQueryState& state = page.State();
    if (state.QueryRunning) {
        Notify(QStringLiteral("正在查询关键词指数，请等本次查询完成后再查询。"));
        return;
    }
    if (jobs::RefuseStartWhileBusy()) return;
    const jobs::Running running(QStringLiteral("关键词指数查询"));
    state.QueryRunning = true;
    page.SetQueryCommandsEnabled(false);

    platform::RowTable& list = page.List();
    CXHtml fetcher;
    fetcher.TryTime(10);
    for (const QString& keyword : keywords) {
        const metrics::RowHandle row(&list, list.Add(keyword).Index());
        QueryKeyword(page, fetcher, row, keyword);
    }
    // The rows may have been deleted meanwhile.
    if (list.Count() > 0) {
        page.SelectRow(list.Count());
        IndexDetail(page);
    }
    state.QueryRunning = false;
    page.SetQueryCommandsEnabled(true);
}

void IndexDetail(IndexQueryPage& page) {
    IndexQueryState& state = page.State();
    const platform::RowTable& list = page.List();
    const int selected = page.SelectedRow();
    if (state.DetailRunning || selected < 1 || selected > list.Count()) return;
    const QString month = list.Cell(selected, kMonth);
    const std::optional<qint32> volume = metrics::ReadWhole32(month);
    if (month == QStringLiteral("-") || !volume || *volume == 0) return;

    const jobs::Running running(QStringLiteral("关键词指数详细数据"));
    state.DetailRunning = true;
    ShowDetail(page, list.Text(selected), *volume);
    state.DetailRunning = false;
}

void DeleteTickedKeywords(IndexQueryPage& page) {
    if (!page.List().AnyChecked()) {
        Notify(QStringLiteral("请选择要删除的关键词！"));
        return;
    }
    page.List().RemoveChecked();
}

}  // namespace research
