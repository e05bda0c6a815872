#pragma once

#include <QString>
#include <QtGlobal>

namespace platform {
class RowTable;
}

// The keyword the batch run works on: the text of the n-th checked row of the batch keyword
// list, n being the number in the batch position box; an empty text when there is no such row
// or no mining window.
QString CurrentBatchKeyword();

// Saves `list` without any question into the batch pane's save folder, as
// "<current batch keyword>-<date>-<time>" with the suffix of `extension` ("txt", "htm" or
// "xls") and the report `kind`; a file of that name is replaced. The keyword is made a safe
// file name, so the file always lands in the save folder itself. Whether the file was written:
// false also when no save folder is set.
bool AutoSaveList(const platform::RowTable& list, const QString& extension, qint16 kind);
