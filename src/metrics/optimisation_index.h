#pragma once

#include <QString>
#include <optional>

// The optimisation index (百度优化指数): monthly search volume × 10000 / Baidu indexed-page
// count, the larger the easier. Computed whenever a row is filled or refreshed, never stored.
namespace metrics {

// A fixed-point value with four decimal places, counted in ten-thousandths.
using FixedPoint = qint64;

// The shown value of a quotient written by NumberToText: the mantissa's fraction is cut after
// its second digit (never rounded), then the exponent, if any, scales it and the result is
// rounded to four decimals, an exact half to the even neighbour. So 211.640211640212 gives
// 211.64 and 2.17296307383472E-02 gives 0.0217. Nothing for a text that is not such a number,
// is longer than any such number, or exceeds the fixed-point range; any exponent is safe.
std::optional<FixedPoint> GetSeoZs(const QString& text);

// `value` with at most four decimals, trailing zeros dropped: "2.17", "0.0217", "25", "0".
QString FixedPointText(FixedPoint value);

// Whether a metric cell holds a figure: neither "-" (not obtained) nor "0" (nothing found).
bool HasFigure(QStringView cell);

// The index shown for `quotient`: GetSeoZs of its general text form; empty when it cannot be
// formed (not a finite number).
QString IndexFromQuotient(double quotient);

// OptimisationIndex of a row from its monthly volume and count texts: "0" when either is "-"
// (not obtained) or "0" (nothing found); empty when either is not a whole number of the signed
// 32-bit range or the count rounds to 0.
QString OptimisationIndex(QStringView monthText, QStringView countText);

}  // namespace metrics
