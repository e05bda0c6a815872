#pragma once

#include <QString>
#include <QStringList>

#include "platform/database.h"
#include "platform/row_table.h"

// The rank history: the records of table ranks that three filters choose, newest first.
namespace rank_history {

inline const QString kAllEngines = QStringLiteral("所有引擎");
inline const QString kAllSites = QStringLiteral("所有网站");
inline const QString kAllKeywords = QStringLiteral("所有关键词");

// Each filter holds its "all" entry, an empty text (no entry chosen: also all), or the value the
// records must have.
struct Filter {
    QString site = kAllSites;
    QString keyword = kAllKeywords;
    QString engine = kAllEngines;
};

// The entries of the engine filter: the "all" entry, then the engines' names.
QStringList EngineFilterEntries();
// The site filter's entries: the "all" entry, then the distinct sites of the records (of
// `keyword` only, unless it is the "all" entry); the keyword filter's the other way round.
QStringList SiteFilterEntries(platform::Connection& db, const QString& keyword);
QStringList KeywordFilterEntries(platform::Connection& db, const QString& site);

// Fills `list` with the records `filter` chooses, newest first: a row per record with its
// engine's icon, its values trimmed and its id as the tag.
bool LoadHistory(platform::Connection& db, const Filter& filter, platform::RowTable& list);

}  // namespace rank_history
