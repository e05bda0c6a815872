#pragma once

#include <QDate>
#include <QString>

#include "lookups/site_pages.h"

// A domain's registration record and the age derived from it.
namespace lookups {

// The whois record between `start` and `end` on a whois page, mark-up kept; the empty text as
// final when the page says the domain is not registered ("No match for").
Reading ReadWhoisText(const QString& page, const QString& start, const QString& end);

// The age of `domain` on `today` from its whois record: whole years, "年", the remaining
// months, "个月" (days do not count). Domains under ".cn" are read from "Registration Date: ",
// others from "Creation Date: " written day-month-year ("17-mar-2003"). "X" when no date can be
// read or when the date lies after today.
QString DomainAge(const QString& whoisText, const QString& domain, const QDate& today);

}  // namespace lookups
