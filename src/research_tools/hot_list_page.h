#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "research_tools/hot_categories.h"

// The rows of a Baidu hot-keyword list page (/buzz/<page>.html) and the figures each row shows.
namespace research {

// One keyword of a list page with the cells of the hot-keyword list's columns 2 to 4; a column
// the page kind does not fill has no value. A cell whose markers are missing is empty.
struct HotListRow {
    QString keyword;
    QString today;                   // 当天搜索量
    std::optional<QString> total;    // 本周总搜索量 or 历史总搜索量
    std::optional<QString> average;  // 日平均数
};

// The page's rows in page order: every piece after a row marker, read as a page of `kind`.
std::vector<HotListRow> ParseHotListPage(const QString& page, HotPageKind kind);

// The header a page of `kind` gives the list's third column; nothing when it leaves it alone.
std::optional<QString> TotalHeader(HotPageKind kind);

// The Baidu result count of a results page as the hot list shows it: "约" dropped, thousands
// separators kept; "0" for a results or no-results page without one, "-" for any other page
// (nothing came, or a blocking page).
QString HotListCount(const QString& page);

}  // namespace research
