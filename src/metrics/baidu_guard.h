#pragma once

#include <QString>

#include "metrics/window_context.h"

class CXHtml;

// What surrounds every Baidu results page the program judges: the request gap before it, the
// fallback through the window's browser when the direct fetch brings nothing, and the reaction
// when Baidu answers with a blocking page instead of results.
namespace metrics {

// The address of the Baidu results page for `keyword` (GBK-encoded).
QString BaiduSearchAddress(const QString& keyword);

enum class BaiduPage { Result, NoResult, Other };
// A result page ("百度一下，找到相关网页"), a no-result page ("抱歉，没有找到"), or anything
// else: a blocking page, or nothing at all.
BaiduPage JudgeBaiduPage(const QString& page);

// The indexed-page count on a results page ("找到相关网页约1,230篇" gives "1230"); "0" for a
// judged page without one; "-" (not obtained) for a page that is neither.
QString BaiduCount(const QString& page);

// Waits, when needed, until the window's request gap has passed since its last gap-controlled
// request (the first never waits), then records this request's time.
void WaitBaiduInterval(WindowContext& window);

// Fetches the results page for `keyword` through `fetcher`, through the window's browser when
// that brings nothing, and calls BeiK when the page is neither a result nor a no-result page.
// Returns the page, whatever the judgement.
QString FetchBaiduPage(WindowContext& window, CXHtml& fetcher, const QString& keyword);

// The Baidu page at `address` through `fetcher`, or through the window's browser when the
// direct fetch brings nothing; not judged.
QString FetchBaiduAddress(WindowContext& window, CXHtml& fetcher, const QString& address);

// The window's reaction to a blocking page: opens the blocking settings ("0"), waits 5 seconds
// ("1"), or beeps ("2"); anything else does nothing.
void BeiK(WindowContext& window);

// Loads `address` in the window's browser control and returns the document's mark-up after
// five seconds; an empty text, after the same wait, when the window has no browser.
QString FetchViaBrowser(WindowContext& window, const QString& address);

}  // namespace metrics
