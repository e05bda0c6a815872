#pragma once

#include <QtCore/qnamespace.h>
#include <QStringView>
#include <optional>

namespace platform {
class RowTable;
}

// The column sort of the keyword database list: the keyword and parent columns by their text,
// the metric columns by their numbers, the date column by date. What the cells show is never
// changed.

// A cell as a number: digits with an optional sign, decimal point, exponent and thousands
// separators; nothing for any other text ("-", empty, "更新中...").
std::optional<double> CellNumber(QStringView cell);
// A cell as a moment, in seconds from year 0, for the sort only: a date written
// year-month-day with "-" or "/" ("2026-12-10", "2010/6/24"), optionally followed by a time
// ("9:05" or "09:05:30"); nothing for any other text.
std::optional<qint64> CellMoment(QStringView cell);

// Orders of two cells. Cells that are no number (no date) come first, by their text.
bool NumberCellLess(QStringView a, QStringView b);
bool DateCellLess(QStringView a, QStringView b);

// Sorts the rows of `list` (KeywordDbRows) by column `column` (from 1, as the headers count)
// in `order`, and keeps them so while rows are added.
void SortKeywordDbList(platform::RowTable& list, int column, Qt::SortOrder order);
