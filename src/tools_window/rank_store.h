#pragma once

#include <QString>

#include "platform/database.h"

// One result of a rank query as table ranks keeps it: one record per keyword, site, engine
// and day (addtime, "yyyy-MM-dd").
struct RankRecord {
    QString se;
    QString kws;
    QString urls;
    int rank = 0;
    QString rankstr;
    QString addtime;
};

// Stores `record`: updates rank and rankstr of the day's record for its keyword, site and
// engine, or inserts it when the day has none. False when it was not stored.
bool SaveRankRecord(platform::Connection& db, const RankRecord& record);
