#pragma once

#include <QString>
#include <functional>

// Importing a list's entries from a text file, one a line: the one routine behind every list
// that imports, with its checks and the message that tells the outcome. The file is read line
// by line in bounded memory, showing its progress in the status bar.
namespace list_import {

// The longest line taken, in characters, blanks around the entry included: far beyond any
// keyword or site address. A longer line is not imported (and never held whole in memory).
inline constexpr qsizetype kLongestLine = 1024;
// The largest file read, 64 MiB: a list of a million keywords fits with room to spare. A larger
// file is refused before it is read.
inline constexpr qint64 kLargestFile = qint64(64) << 20;

// Why nothing was imported.
enum class Refusal {
    None,
    Unreadable,  // the file could not be opened or read
    TooLarge,    // beyond kLargestFile
    NotText,     // its bytes are neither UTF-8 nor GBK
};

struct ImportOutcome {
    Refusal refusal = Refusal::None;
    int imported = 0;
    // Lines with an entry that were not imported, by reason.
    int tooLong = 0;
    int present = 0;     // the list holds the entry already, or an earlier line had it
    int refused = 0;     // the list cannot hold the entry
    int notWritten = 0;  // the database did not take it
    // Why the file could not be read, or the database's last error.
    QString error;

    int NotImported() const { return tooLong + present + refused + notWritten; }
};

// What the list did with one entry.
enum class EntryFate { Imported, Present, Refused, NotWritten };

// Reads the file at `path`, UTF-8 when the whole file is valid UTF-8 (a byte-order mark
// dropped), otherwise GBK; a file valid in neither is refused whole. Lines end in CR LF, LF or
// CR; NUL bytes are dropped. Each line's entry, its blanks around it trimmed, goes to `take` in
// file order, empty ones left out; `take` is called only once the file has passed its checks.
ImportOutcome ImportListFile(const QString& path,
                             const std::function<EntryFate(const QString& entry)>& take);

// The message that tells the user the outcome of importing `path` into a list of `what`
// ("关键词", "网站"); `refusal` says why the list refuses an entry. Empty when every line
// with an entry went in.
QString ImportMessage(const ImportOutcome& outcome, const QString& path, const QString& what,
                      const QString& refusal = {});

}  // namespace list_import
