#pragma once

#include <QString>

#include "metrics/window_context.h"

class CXHtml;

// The index lookups of a keyword's search volume, each run for one work window: the 30-day
// data page (GetIndex), and the index history after the index word page has said whether the
// index knows the keyword (GetBaiduIndex, HasIndexPage). Values they find are reported to the
// data-sharing service. An empty result means that no value was obtained.
namespace metrics {

// The index value from the 30-day data page; with fewer than two points on it (an error page
// has none), the value of GetBaiduIndex in mode 0.
QString GetIndex(WindowContext& window, const QString& keyword);

// By `mode`: 0 and below the index value of the history (latest, 30-day average); 1 the 7-day
// average alone; 2 and above an empty text, the history laid into the window's history list.
// A history page that did not come, or any other page in its place (an error or verification
// page), is no value and raises the window's IndexFailCount.
QString GetBaiduIndex(WindowContext& window, const QString& keyword, qint16 mode);

// Whether the index word page knows `keyword`; a page that did not come (an error page
// included) counts as known.
bool HasIndexPage(const QString& keyword);

// The volume chain: the data-sharing service's value for `shareKeyword`; when it has none, the
// window's index lookup for `lookupKeyword` (trimmed), which is the province estimate once the
// window has seen two empty history pages (the database window always takes GetIndex).
QString LookUpVolume(WindowContext& window, CXHtml& fetcher, const QString& shareKeyword,
                     const QString& lookupKeyword);

}  // namespace metrics
