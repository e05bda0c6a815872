#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "shared/list_import.h"

namespace platform {
class Connection;
class RowTable;
}  // namespace platform

// The batch keyword list of table kwlist (kws is the keyword, lower-case and trimmed), below
// the batch pane's list. List and table are kept in step: a row is listed only once its record
// is written, and leaves the list only once its record is gone.
namespace batch_keywords {

// Fills `list` anew from the table, one unchecked row per record in the table's order. A table
// that cannot be read leaves the list empty.
void ReloadBatchKeywords(platform::Connection& connection, platform::RowTable& list);

// What deleting the checked rows did.
struct DeleteOutcome {
    bool anyChecked = false;
    // Keywords whose records could not be deleted; their rows stay, checked.
    QStringList kept;
    QString error;
};
// Deletes every record of each checked row's keyword, and the rows whose records went.
DeleteOutcome DeleteCheckedKeywords(platform::Connection& connection, platform::RowTable& list);

// Imports the keywords of the file at `path`, one a line, lower-cased and trimmed: each new
// one is stored (setting 1) and listed at the end of `list`, all in one write transaction, or
// none of them: a file that fails its checks or cannot be read to its end, a statement that
// fails or a commit that fails leaves both list and table as they were, and the outcome says
// why (Refusal::NotStored with the database's cause in Chinese). Under another program's lock
// that outlasts the wait, the import waits once and stores none of them.
list_import::ImportOutcome ImportKeywordFile(platform::Connection& connection,
                                             platform::RowTable& list, const QString& path);

// A keyword of the batch list with its own batch settings, as the keyword-settings dialog
// stores it: its maximum of related keywords (0 no limit), its save format ("不保存", "Excel",
// "Html", "Txt"), whether related keywords must contain it, its exclusion words; or, with
// `paneSettings`, none of these: the batch pane's options apply.
struct KeywordSettings {
    QString keyword;
    bool paneSettings = true;
    qint32 maximum = 0;
    QString saveFormat;
    bool mustContain = false;
    QString exclusionWords;
};

// Whether a record of the table holds `keyword`.
bool KeywordStored(platform::Connection& connection, const QString& keyword);
// Adds a record for `settings`: the keyword and setting 1, or every setting and setting 0.
// Whether it was written.
bool AddKeywordRecord(platform::Connection& connection, const KeywordSettings& settings);
// Rewrites every record of the keyword `before` with `settings`. Whether it was written.
bool UpdateKeywordRecords(platform::Connection& connection, const QString& before,
                          const KeywordSettings& settings);

}  // namespace batch_keywords
