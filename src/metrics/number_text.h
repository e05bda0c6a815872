#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// Numbers as the metric routines read them from pages and cells and write them back as text.
namespace metrics {

// The longest text, blanks around it aside, that is read as a number: far beyond any figure a
// page or a cell shows, so that a garbled page's endless run of digits is refused at once.
inline constexpr qsizetype kLongestNumberText = 64;

// `text` read as a decimal number: an optional sign, digits with or without thousands
// separators, a decimal point, an exponent, blanks around it. Nothing for any other text, the
// empty text and one longer than kLongestNumberText included. One pass over the text.
std::optional<double> ReadNumber(QStringView text);

// Whether `text` is a count as pages write one: ASCII digits, each "," standing before a group
// of exactly three digits ("1,234,567", not "12,34" or "1,2,3"), at most kLongestNumberText
// long; no sign, point, exponent, blank or other text.
bool IsCountText(QStringView text);

// Whether `text` is a count (IsCountText) of nothing: every digit a 0, as in "0", "00" and
// "0,000".
bool IsZeroCount(QStringView text);

// The order of two cells of a metric column, as a column sort sorts them: numbers by value,
// after every cell that is no number ("-", empty, "正在查询中..."), which sort by their text.
bool NumberCellLess(QStringView a, QStringView b);

// `value` rounded to the nearest whole number, an exact half to the even neighbour (2.5 gives
// 2, 3.5 gives 4); nothing when that lies outside the signed 32-bit (16-bit) range.
std::optional<qint32> ToWhole32(double value);
std::optional<qint16> ToWhole16(double value);

// ReadNumber followed by the rounding above.
std::optional<qint32> ReadWhole32(QStringView text);
std::optional<qint16> ReadWhole16(QStringView text);

// `value` rounded half to even and written as decimal digits, "-" in front when negative; all
// of its digits however large it is, and empty for a value that is not finite.
QString WholeText(double value);

// The general number-to-text form: at most 15 significant digits, written as a plain decimal
// when that takes no more than 15 digits, else as a mantissa with an exponent of two or more
// digits ("2.17296307383472E-02", "1E+15").
QString NumberToText(double value);

}  // namespace metrics
