#pragma once

#include <QDate>
#include <QString>
#include <optional>

#include "lookups/site_pages.h"

// The snapshot dates that search engines show beside a site's own page.
namespace lookups {

// `text` read as a date: year, month and day as "2010-6-24", "2010/06/24" or "2010年6月24日".
std::optional<QDate> ReadDate(const QString& text);

// The last word of the first green line of a Baidu results page, as a date.
Reading ReadBaiduSnapshotDate(const QString& page);
// The Yahoo China snapshot date, written as a date or as N days ago ("3天前") from `today`.
Reading ReadYahooSnapshotDate(const QString& page, const QDate& today);
// The date after "-->&nbsp;-&nbsp;" on a Sogou results page.
Reading ReadSogouSnapshotDate(const QString& page);
// The third " - " part of the first Youdao result's address line (the whole line when it has
// fewer parts), as a date.
Reading ReadYoudaoSnapshotDate(const QString& page);

}  // namespace lookups
