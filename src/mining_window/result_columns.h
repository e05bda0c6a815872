#pragma once

#include "metrics/keyword_columns.h"

// The columns of the mining window's result lists, declared once: the regular pane's shown
// list, its master copy and the batch results (a mining result row), and the manual pane's
// two lists, which also carry Google's figures.
inline const metrics::KeywordColumns kMiningResultColumns{
    {metrics::KeywordCell::Keyword, {QStringLiteral("相关关键词"), 2400}},
    {metrics::KeywordCell::MonthVolume, {QStringLiteral("搜索量-月均"), 1400}},
    {metrics::KeywordCell::DayVolume, {QStringLiteral("搜索量-昨日"), 1400}},
    {metrics::KeywordCell::BaiduCount, {QStringLiteral("百度收录数"), 1400}},
    {metrics::KeywordCell::BaiduIndex, {QStringLiteral("百度优化指数"), 1500}},
};

inline const metrics::KeywordColumns kManualResultColumns{
    {metrics::KeywordCell::Keyword, {QStringLiteral("相关关键词"), 2400}},
    {metrics::KeywordCell::MonthVolume, {QStringLiteral("搜索量-月均"), 1400}},
    {metrics::KeywordCell::DayVolume, {QStringLiteral("搜索量-昨日"), 1400}},
    {metrics::KeywordCell::BaiduCount, {QStringLiteral("百度收录数"), 1400}},
    {metrics::KeywordCell::GoogleCount, {QStringLiteral("谷歌收录数"), 1400}},
    {metrics::KeywordCell::BaiduIndex, {QStringLiteral("百度优化指数"), 1500}},
    {metrics::KeywordCell::GoogleIndex, {QStringLiteral("谷歌优化指数"), 1500}},
};

// The batch keyword list's one column.
inline const platform::Column kBatchKeywordColumn{QStringLiteral("关键词"), 3000};
