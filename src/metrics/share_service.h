#pragma once

#include <QString>

class CXHtml;

// Our data-sharing service of index values: every volume lookup asks it first, and the values
// that the index lookups find are reported back to it with the keyword and a parent keyword.
namespace metrics {

// The service's index value for `keyword`, fetched through `fetcher` as it is set up; an empty
// text when the service has none or answers with anything else.
QString ShareLookup(CXHtml& fetcher, const QString& keyword);

// Reports `value` for `keyword`, found from `parent`, through `fetcher` as it is set up, waiting
// at most `timeoutSeconds` for the reply, which is dropped.
void ShareReport(CXHtml& fetcher, const QString& value, const QString& keyword,
                 const QString& parent, int timeoutSeconds);

}  // namespace metrics
