#pragma once

#include <QString>

#include "metrics/search_pages.h"
#include "metrics/window_context.h"

class CXHtml;

// What surrounds every Baidu results page the program judges: the request gap before it, the
// fallback through the window's browser when the direct fetch brings nothing, and the reaction
// when Baidu answers with a blocking page instead of results.
namespace metrics {

// The address of the Baidu results page for `keyword` (GBK-encoded).
QString BaiduSearchAddress(const QString& keyword);

// Waits, when needed, until the window's request gap has passed since its last gap-controlled
// request (the first never waits), then records this request's time.
void WaitBaiduInterval(WindowContext& window);

// Fetches the results page for `keyword` through `fetcher`, through the window's browser when
// that brings nothing, and calls BeiK when a page came that is neither a result nor a
// no-result page (JudgeBaiduPage); an empty page is a failed fetch. Returns the page, whatever
// the judgement, for BaiduCount to read.
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
