#pragma once

#include "metrics/keyword_columns.h"

// KeywordDbRow: the row of the keyword database list ListView16 and of its master copy
// ListView13. One record of table keywords, with the optimisation index worked out (never
// stored); every cell is text.
inline const metrics::KeywordColumns kKeywordDbColumns{
    {metrics::KeywordCell::Keyword, {QStringLiteral("关键词"), 2400}},
    {metrics::KeywordCell::Parent, {QStringLiteral("父关键词"), 1800}},
    {metrics::KeywordCell::MonthVolume, {QStringLiteral("百度月均指数"), 1400}},
    {metrics::KeywordCell::DayVolume, {QStringLiteral("百度昨日指数"), 1400}},
    {metrics::KeywordCell::BaiduCount, {QStringLiteral("百度收录"), 1400}},
    {metrics::KeywordCell::BaiduIndex, {QStringLiteral("百度优化指数"), 1400}},
    {metrics::KeywordCell::UpdateDate, {QStringLiteral("更新日期"), 1500}},
};

// The cell number of `cell` in a KeywordDbRow.
inline int DbCell(metrics::KeywordCell cell) {
    return kKeywordDbColumns.CellOf(cell);
}
