#pragma once

#include <QString>
#include <optional>

#include "platform/database.h"

// The one-day cache of site PageRanks in table prs: a site's PageRank is asked of the site
// metrics at most once per calendar day, and kept as one row per site, keyed by the address as
// the caller wrote it. Nothing when no PageRank from 0 to 10 could be had.
std::optional<int> GetCachedPR(platform::Connection& db, const QString& url);
