#pragma once

#include <QString>

// The search engines' results pages the metric routines read counts from: pure functions of
// the page text.
namespace metrics {

enum class BaiduPage { Result, NoResult, Other };
// A Baidu result page ("百度一下，找到相关网页"), a no-result page ("抱歉，没有找到"), or anything
// else: a blocking page, or nothing at all.
BaiduPage JudgeBaiduPage(const QString& page);

// The indexed-page count on a Baidu results page ("找到相关网页约1,230篇" gives "1230"); "0" for
// a count of nothing in any form ("0,000") and for a judged page without one; "-" (not
// obtained) for a page that is neither, and for text between the markers that is no count
// (IsCountText).
QString BaiduCount(const QString& page);

// The result count on a Google results page as Google writes it ("约 <b>1,200</b>" gives
// "1,200"); "0" for a count of nothing in any form and on Google's page saying that it found
// nothing ("找不到和您的查询"); "-" (not obtained) for any other page, none included, and when
// the text there is no count.
QString GoogleCountAsWritten(const QString& page);
// The same without its separators ("1200").
QString GoogleCount(const QString& page);

}  // namespace metrics
