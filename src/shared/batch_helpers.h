#pragma once

#include <QString>
#include <QtGlobal>

namespace platform {
class RowTable;
}

// Saves `list`, the results of the batch keyword `keyword`, without any question into the
// batch pane's save folder, as "<keyword>-<date>-<time>" with the suffix of `extension`
// ("txt", "htm" or "xls") and the report `kind`; a file of that name is replaced. The keyword is
// made a safe file name, so the file always lands in the save folder itself. Whether the file
// was written: false also when no save folder is set.
bool AutoSaveList(const platform::RowTable& list, const QString& keyword, const QString& extension,
                  qint16 kind);
