#pragma once

#include <QtCore/qnamespace.h>
#include <QString>

namespace platform {
class Connection;
class RowTable;
}  // namespace platform
namespace metrics {
class KeywordColumns;
}

// The commands of the regular pane's result list, below the window: they work on the shown
// list and its master copy, whose rows share their keys.
namespace result_commands {

// 删除关键词: removes every checked row from `shown` and the same rows, found by their keys,
// from `master`, so that 还原 never brings back a deleted keyword nor loses another. Whether
// a row was checked.
bool DeleteCheckedRows(platform::RowTable& shown, platform::RowTable& master);

// What 加入关键词数据库 wrote: every new row, or none.
struct SubmitOutcome {
    int written = 0;
    // When the submit failed: the rows it was to write (checked, their keyword not stored before
    // nor in a row above), none of them written. A failure that kept no such row out is none.
    int failed = 0;
    QString error;  // the database's complaint when it failed
};

// 加入关键词数据库: inserts each checked row of `list` whose keyword (its text trimmed) table
// keywords does not hold yet, with `parent` as its parent keyword, its volumes and count as
// numbers ("-" for a cell that holds none) and `date`, all in one write transaction. Rows whose
// keyword is stored are skipped; the table is asked for the submitted keywords only, so that a
// submit costs the same whatever the number of keywords stored. A failure (another program's
// lock that outlasts the wait, a refused insert) writes none of the rows.
SubmitOutcome SubmitCheckedRows(platform::Connection& connection, const platform::RowTable& list,
                                const metrics::KeywordColumns& columns, const QString& parent,
                                const QString& date);

// The submit's question for each row's keyword, bound to the keyword: whether table keywords
// holds it. Answered through the index on keys.
inline const QString kStoredKeywordQuery =
    QStringLiteral("select 1 from keywords where keys = ? limit 1");

// The column sort: sorts `list` by `column` (from 1, as the headers count) in `order`, the
// keyword column by its text and the metric columns by their numbers, without changing what
// any cell shows; the list keeps that order while rows are added.
void SortResultList(platform::RowTable& list, int column, Qt::SortOrder order);

}  // namespace result_commands
