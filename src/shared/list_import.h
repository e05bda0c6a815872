#pragma once

#include <QString>
#include <functional>

// Importing a list's entries from a text file, one a line: the one routine behind every list
// that imports, with its checks and the message that tells the outcome. The file is read a
// piece at a time in bounded memory, showing its progress in the status bar.
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
    Unreadable,  // the file could not be opened or read, or is no regular file
    TooLarge,    // beyond kLargestFile
    NotText,     // its bytes are not valid in its charset, or hold a NUL character
    NotStored,   // the list could not store an entry, and so keeps none (see EntryFate::Stop)
};

struct ImportOutcome {
    Refusal refusal = Refusal::None;
    int imported = 0;
    // Lines with an entry that were not imported, by reason.
    int tooLong = 0;
    int present = 0;     // the list holds the entry already, or an earlier line had it
    int refused = 0;     // the list cannot hold the entry
    int notWritten = 0;  // the database did not take it
    // The file changed while it was read (cut short, grown or rewritten): only the lines read,
    // `linesRead` of them, were taken.
    bool changed = false;
    qsizetype linesRead = 0;
    // Why the file could not be read or the entries not stored, in Chinese.
    QString error;

    int NotImported() const { return tooLong + present + refused + notWritten; }
};

// What the list did with one entry.
enum class EntryFate {
    Imported,
    Present,
    Refused,
    NotWritten,
    Stop,  // it cannot store anything more: the import ends with Refusal::NotStored
};

// Where a file's entries go.
struct EntryTaker {
    // Called once before the first entry with the file's number of lines at most, so that the
    // list can make room for them.
    std::function<void(qsizetype lines)> expect = {};
    std::function<EntryFate(const QString& entry)> take;
};

// Reads the regular file at `path` (a pipe, device or folder is refused by what it is): in the
// charset its byte-order mark names (UTF-8, UTF-16 LE or BE); otherwise in UTF-16 LE or BE when
// its NUL bytes are the other halves of UTF-16 characters and its line ends are UTF-16 ones;
// otherwise UTF-8 when the whole file is valid UTF-8 (a character cut at its end included, when
// it has others that are not ASCII), otherwise GBK. A file cut in the middle of a character, or
// holding a NUL character, is no text. Lines end in CR LF, LF or CR. Each line's entry, its
// blanks around it trimmed, goes to `take` in file order, empty ones left out. A file refused
// part-way (Refusal other than None) may have handed entries already: the list keeps nothing of
// it.
ImportOutcome ImportListFile(const QString& path, const EntryTaker& taker);

// Whether the outcome tells a failure, for the icon of its message: nothing was imported for a
// refusal, entries the database did not take, or a file that changed while it was read. Lines
// the list holds already, or cannot hold, are the list's notice.
bool ImportFailed(const ImportOutcome& outcome);

// The message that tells the user the outcome of importing `path` into a list of `what`
// ("关键词", "网站"); `refusal` says why the list refuses an entry. Empty when every line
// with an entry went in from a file that stayed as it was.
QString ImportMessage(const ImportOutcome& outcome, const QString& path, const QString& what,
                      const QString& refusal = {});

}  // namespace list_import
