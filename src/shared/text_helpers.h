#pragma once

#include <QString>

// Text operations on fetched pages and user input. Positions count UTF-16 units, as QString
// does; a null text counts as an empty one.

// The text strictly between the first occurrence of `firststr` in `temp` and the next
// occurrence of `endstr` after it (both searched case-sensitively); an empty text when either
// marker is missing. Only the first start marker counts.
QString GetMemo(const QString& temp, const QString& firststr, const QString& endstr);

// `text` without leading and trailing blanks (U+0020 only, not tabs or line breaks).
QString TrimBlanks(const QString& text);

// Whether `u` is null, empty or blanks only.
bool CheckNull(const QString& u);

// `u` with every apostrophe replaced by a double quote, for text put into SQL by hand.
QString GetSqlStr(const QString& u);

// `content` without the mark-up of common tags, character references and script prefixes;
// the text between tags stays. The cleaned text is also stored back into `content`.
QString ClearHtml(QString& content);
