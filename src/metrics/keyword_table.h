#pragma once

#include <QString>
#include <optional>

#include "metrics/window_context.h"

// Table keywords of db.db: keys, parentkeys, monthrank, dayrank, baidunum, adddate. The metric
// columns hold text; "-" marks a value that was not obtained. Dates are "yyyy-MM-dd".
namespace metrics {

// Today's date as the table stores it.
QString TodayText();

// A metric cell as the table keeps it: a number as it stands (trimmed), anything else, such as
// a placeholder still standing in the cell ("正在查询中..."), as "-".
QString StoredMetric(const QString& cell);

// The row a keyword was stored with today.
struct TodaysRow {
    std::optional<QString> monthrank;
    std::optional<QString> dayrank;
    std::optional<QString> baidunum;
    std::optional<QString> adddate;

    bool HasVolumes() const { return dayrank && *dayrank != QStringLiteral("-"); }
    bool HasCount() const { return baidunum && *baidunum != QStringLiteral("-"); }
    bool Complete() const {
        return HasVolumes() && HasCount() && monthrank && !monthrank->isEmpty() && adddate &&
               !adddate->isEmpty();
    }
};

// The row stored today for `keyword` (trimmed), if any, on the shared connection.
std::optional<TodaysRow> ReadTodaysRow(const QString& keyword);

// The values of a result row that a saver stores.
struct KeywordRowValues {
    QString keyword;  // the row text
    QString month;    // 搜索量-月均
    QString day;      // 搜索量-昨日
    QString count;    // 百度收录数
};

// Stores a result row of `pane` (checkdb, checkdb1, checkdb2): inserts it when the keyword is
// not stored yet; refreshes it when it was stored on an earlier day (the parent keyword too,
// except on the manual pane); on a row stored today, fills in only the values that it lacks,
// the monthly and yesterday's volume always as one pair.
// A metric value that is not a number is stored as "-". Nothing happens when db.db is
// missing. Whether the table now holds the values; a save that fails (a statement refused
// after the wait for another program's lock) is counted for TakeFailedRowSaves. Once a save
// has met a lock that outlasted the wait, or found db.db moved or replaced, the saves after it
// are counted as failed without being tried, until StartRowSaves: each would stand the window
// still for another wait, or write into a file nobody sees again.
bool SaveKeywordRow(MiningContext& window, Pane pane, const KeywordRowValues& row);

// The row saves (SaveKeywordRow) that failed.
struct FailedRowSaves {
    int rows = 0;
    // Why the saves stopped, in the user's words (another program's lock that outlasted the
    // wait, a file moved away): the saves after it were not tried. Empty while they go on.
    QString stoppedBy;
};

// Starts a run of saves, such as a mining run: no failure counted, a stop met before forgotten.
void StartRowSaves();

// The saves that failed since the count was last taken, and a fresh count from now; a stop met
// stays met until StartRowSaves, so that a run that takes the count now and then (a batch, after
// each keyword) waits for a lock once. A run shows what it takes when it ends, so that no row
// is lost without a word.
FailedRowSaves TakeFailedRowSaves();

// Adds the selected row of the regular pane's result list to the table unless its keyword is
// stored already, and tells the user how many rows were written, or that the write failed.
void Addto_db(MiningContext& window);

}  // namespace metrics
