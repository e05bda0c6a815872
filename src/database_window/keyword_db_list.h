#pragma once

#include <QString>

namespace platform {
class Connection;
class RowTable;
}  // namespace platform

// The keyword database list and its master copy, filled from table keywords and thinned by the
// delete command. Rows of the two lists that stand for the same record share one key.

// GetDb: replaces the rows of `shown` and `master` by every record of table keywords, in the
// order the database gives them, each with its optimisation index. `shown` is left unsorted;
// no row is checked or bold. When the table cannot be read both lists are left empty and the
// result is false.
bool LoadKeywordDb(platform::Connection& db, platform::RowTable& shown, platform::RowTable& master);

// FillOptimisationIndex: works out the index of the row with `key` from its monthly volume and
// count in `shown` and writes it into that row of both lists.
void FillOptimisationIndex(platform::RowTable& shown, platform::RowTable& master, quint64 key);

// 删除关键词: deletes the keywords of the checked rows of `shown` (trimmed of blanks) from
// table keywords in one statement; when that succeeded, removes those rows from `shown` and
// the rows with their keys from `master`. False, with every row left, when the statement
// failed.
bool DeleteCheckedKeywords(platform::Connection& db, platform::RowTable& shown,
                           platform::RowTable& master);
