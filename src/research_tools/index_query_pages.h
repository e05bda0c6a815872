#pragma once

#include <QString>
#include <QStringList>

// What the keyword index query reads from its pages and how it writes the figures.
namespace research {

// The keywords of the query box: the text without surrounding blanks, lower-cased, split at
// every "#", each piece without surrounding blanks; empty pieces are no keywords.
QStringList QueryKeywords(const QString& text);

// The two volume cells from an index value: the monthly volume ("-" when it is missing, 0 or
// not a whole number) and yesterday's ("0" then); both "-" when no value was obtained (an empty
// text).
struct QueryVolumes {
    QString month;
    QString day;
};
QueryVolumes VolumesOf(const QString& pair);

// The week, month and quarter attention of the index word page: "0" each when the page says
// the index does not know the keyword, "-" for a figure the page does not show (or no page)
// and for one that is no count.
struct Attention {
    QString week;
    QString month;
    QString quarter;
};
Attention ParseAttention(const QString& wordPage);

// `value` written in fixed point with at most 15 significant digits and no trailing zeros, and
// then cut (never rounded) after the second decimal: 1.66666666666667 gives "1.66", 0.001
// gives "0.00", 30 gives "30". Empty for a value that is not finite.
QString CutToTwoDecimals(double value);

// An optimisation index of the query: monthly volume × 10000 / count, cut to two decimals;
// "0" when the volume is "-" or the count is 0 or was not obtained. The count may carry
// thousands separators.
QString QueryOptimisationIndex(const QString& month, const QString& count);

}  // namespace research
