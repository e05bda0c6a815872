#include "metrics/optimisation_index.h"

#include <QVarLengthArray>
#include <cmath>
#include <iterator>

#include "metrics/number_text.h"

namespace metrics {
namespace {

constexpr int kMaxPower = 18;

qint64 PowerOfTen(int power) {
    qint64 result = 1;
    for (int i = 0; i < power; ++i) result *= 10;
    return result;
}

// `value` / 10^power, an exact half to the even neighbour.
qint64 DivideRounded(qint64 value, qint64 power) {
    if (power > kMaxPower) return 0;
    const qint64 divisor = PowerOfTen(static_cast<int>(power));
    qint64 quotient = value / divisor;
    const qint64 remainder = value % divisor;
    const qint64 twice = 2 * (remainder < 0 ? -remainder : remainder);
    const qint64 away = value < 0 ? -1 : 1;
    if (twice > divisor || (twice == divisor && quotient % 2 != 0)) quotient += away;
    return quotient;
}

// A mantissa of an optional sign, at most 16 digits and a point with at most two more, in
// hundredths; nothing for any other text or one without a digit.
std::optional<qint64> Hundredths(QStringView mantissa) {
    qsizetype i = 0;
    const auto digits = [&](int most, qint64& value) {
        int count = 0;
        for (; i < mantissa.size() && mantissa[i] >= u'0' && mantissa[i] <= u'9'; ++i, ++count)
            if (count < most) value = value * 10 + (mantissa[i].unicode() - u'0');
        return count <= most ? count : -1;
    };
    const bool negative = !mantissa.isEmpty() && mantissa[0] == u'-';
    if (!mantissa.isEmpty() && (mantissa[0] == u'-' || mantissa[0] == u'+')) ++i;
    qint64 whole = 0;
    const int wholeDigits = digits(16, whole);
    qint64 fraction = 0;
    int fractionDigits = 0;
    if (i < mantissa.size() && mantissa[i] == u'.') {
        ++i;
        fractionDigits = digits(2, fraction);
    }
    if (i != mantissa.size() || wholeDigits < 0 || fractionDigits < 0 ||
        wholeDigits + fractionDigits == 0)
        return std::nullopt;
    if (fractionDigits == 1) fraction *= 10;
    const qint64 hundredths = whole * 100 + fraction;
    return negative ? -hundredths : hundredths;
}

// GetSeoZs(NumberToText(quotient)) worked out without the text, for the quotients where that
// is safe; nothing for the others. From 0.1 up to far below 15 digits before the point the
// text is the plain form rounded at its 15th digit, and cutting it after two decimals gives
// the hundredths below the quotient, unless the quotient lies so close to a hundredth that
// the rounding of the text, or of the multiplication here, could cross it.
std::optional<FixedPoint> PlainQuotientCut(double quotient) {
    if (!(quotient >= 0.1 && quotient < 1e9)) return std::nullopt;
    const double hundredths = quotient * 100;
    const double whole = std::floor(hundredths);
    constexpr double kMargin = 1e-3;  // far beyond both roundings at these sizes
    if (hundredths - whole < kMargin || whole + 1 - hundredths < kMargin) return std::nullopt;
    return static_cast<FixedPoint>(whole) * 100;
}

}  // namespace

std::optional<FixedPoint> GetSeoZs(const QString& text) {
    // Read in place, without a copy: the index of every row of a long list passes through here.
    QStringView mantissa = QStringView(text).trimmed();
    if (mantissa.size() > kLongestNumberText) return std::nullopt;
    QVarLengthArray<QChar, kLongestNumberText> withoutCommas;
    if (mantissa.contains(u',')) {
        for (const QChar c : mantissa)
            if (c != u',') withoutCommas.append(c);
        mantissa = QStringView(withoutCommas.constData(), withoutCommas.size());
    }
    int exponent = 0;
    const qsizetype e = mantissa.indexOf(u'E', 0, Qt::CaseInsensitive);
    if (e >= 0) {
        bool ok = false;
        exponent = mantissa.mid(e + 1).toInt(&ok);
        if (!ok) return std::nullopt;
        mantissa.truncate(e);
    }
    // The fraction is cut after its second digit; in exponent form that cuts the mantissa.
    if (mantissa.count(u'.') == 1) {
        const qsizetype point = mantissa.indexOf(u'.');
        mantissa.truncate(qMin(mantissa.size(), point + 3));
    }
    const std::optional<qint64> hundredths = Hundredths(mantissa);
    if (!hundredths) return std::nullopt;

    // Hundredths to ten-thousandths is two more powers of ten; counted in 64 bits, so that no
    // exponent overflows.
    const qint64 power = qint64(exponent) + 2;
    if (power < 0) return DivideRounded(*hundredths, -power);
    if (power > kMaxPower) return std::nullopt;
    const qint64 factor = PowerOfTen(static_cast<int>(power));
    qint64 scaled = 0;
    if (__builtin_mul_overflow(*hundredths, factor, &scaled)) return std::nullopt;
    return scaled;
}

QString FixedPointText(FixedPoint value) {
    const bool negative = value < 0;
    const quint64 magnitude = negative ? 0 - static_cast<quint64>(value) : value;
    // Written backwards into one buffer, made into a text at the end: an index for every row of
    // a long list is written here.
    char buffer[32];
    char* begin = std::end(buffer);
    quint64 fraction = magnitude % 10000;
    int fractionDigits = 4;
    while (fractionDigits > 0 && fraction % 10 == 0) {
        fraction /= 10;
        --fractionDigits;
    }
    for (int digit = 0; digit < fractionDigits; ++digit, fraction /= 10)
        *--begin = char('0' + fraction % 10);
    if (fractionDigits > 0) *--begin = '.';
    quint64 whole = magnitude / 10000;
    do {
        *--begin = char('0' + whole % 10);
        whole /= 10;
    } while (whole > 0);
    if (negative) *--begin = '-';
    return QString::fromLatin1(begin, std::end(buffer) - begin);
}

bool HasFigure(QStringView cell) {
    return cell != u"-" && cell != u"0";
}

QString IndexFromQuotient(double quotient) {
    if (const std::optional<FixedPoint> value = PlainQuotientCut(quotient))
        return FixedPointText(*value);
    const std::optional<FixedPoint> value = GetSeoZs(NumberToText(quotient));
    return value ? FixedPointText(*value) : QString();
}

QString OptimisationIndex(QStringView monthText, QStringView countText) {
    if (!HasFigure(monthText) || !HasFigure(countText)) return QStringLiteral("0");
    const std::optional<qint32> month = ReadWhole32(monthText);
    const std::optional<qint32> count = ReadWhole32(countText);
    if (!month || !count || *count == 0) return QString();
    // The division first, then the multiplication, as the shown figures were always made.
    return IndexFromQuotient(static_cast<double>(*month) / static_cast<double>(*count) * 10000.0);
}

}  // namespace metrics
