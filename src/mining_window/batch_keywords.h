#pragma once

#include <QString>
#include <QStringList>
#include <optional>

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

// The lines of a keyword list file's text: they end in CR LF, LF or CR; a last line without an
// end counts too.
QStringList FileLines(const QString& text);

// What an import did.
struct ImportOutcome {
    // The file could not be read, or its bytes are neither UTF-8 nor GBK: nothing was imported.
    bool unreadable = false;
    int imported = 0;
    // Lines with a keyword that were not imported: listed already, or not written.
    int notImported = 0;
    QString error;
};
// Imports the keywords of the file at `path`, one a line, lower-cased and trimmed: each new
// one is stored (setting 1) and listed at the end of `list`, in one transaction. Empty lines
// are skipped and reading goes on to the end.
ImportOutcome ImportKeywordFile(platform::Connection& connection, platform::RowTable& list,
                                const QString& path);

// What an export wrote.
struct ExportOutcome {
    bool written = false;
    // Keywords GBK cannot hold all of; they were written with "?" in place of such characters.
    int unmappable = 0;
    QString error;
};
// Writes every row's text, trimmed, one a line in GBK with CR LF, to `path` (empty texts left
// out), replacing the file only once it is written whole.
ExportOutcome ExportKeywordFile(const platform::RowTable& list, const QString& path);

}  // namespace batch_keywords
