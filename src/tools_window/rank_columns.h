#pragma once

#include <vector>

#include "platform/row_table.h"

// The columns of the rank query's lists, declared once beside them: the cell each value goes
// into (0 the row text, j sub-item j) and the headers.
namespace rank_columns {

// ListView12, the results of a run: a header row per site and keyword (site, keyword, date),
// then a row per engine (engine, position, link or the not-found text).
enum ResultCell { kSiteOrEngine = 0, kKeywordOrRank = 1, kDateOrLink = 2 };
inline const std::vector<platform::Column> kResultHeaders = {
    {QStringLiteral("搜索引擎/网站"), 2000},
    {QStringLiteral("关键字/排名"), 1300},
    {QStringLiteral("查询日期/收录网址"), 2500},
};

// ListView14, the stored results of table ranks.
enum HistoryCell { kEngine = 0, kSite = 1, kKeyword = 2, kRank = 3, kLink = 4, kDate = 5 };
inline const std::vector<platform::Column> kHistoryHeaders = {
    {QStringLiteral("搜索引擎"), 1100}, {QStringLiteral("网站"), 2200},
    {QStringLiteral("关键词"), 1600},   {QStringLiteral("排名"), 600},
    {QStringLiteral("收录网页"), 3000}, {QStringLiteral("查询日期"), 1400},
};

// The target lists (ListView8, ListView9), the engine list (ListView10) and the monopoly sites
// (ListView5): one column each.
inline const platform::Column kSiteTargetHeader{QStringLiteral("单击修改网站"), 2600};
inline const platform::Column kKeywordTargetHeader{QStringLiteral("单击修改关键词"), 2600};
inline const platform::Column kEngineHeader{QStringLiteral("搜索引擎"), 2600};
inline const platform::Column kMonopolyHeader{QStringLiteral("网站URL"), 2700};

}  // namespace rank_columns
