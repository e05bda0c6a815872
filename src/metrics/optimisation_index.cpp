#include "metrics/optimisation_index.h"

#include <QRegularExpression>

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

}  // namespace

std::optional<FixedPoint> GetSeoZs(const QString& text) {
    QString mantissa = text.trimmed();
    if (mantissa.size() > kLongestNumberText) return std::nullopt;
    mantissa.remove(u',');
    int exponent = 0;
    const int e = mantissa.indexOf(u'E', 0, Qt::CaseInsensitive);
    if (e >= 0) {
        bool ok = false;
        exponent = mantissa.mid(e + 1).toInt(&ok);
        if (!ok) return std::nullopt;
        mantissa.truncate(e);
    }
    // The fraction is cut after its second digit; in exponent form that cuts the mantissa.
    if (mantissa.count(u'.') == 1) {
        const int point = mantissa.indexOf(u'.');
        mantissa.truncate(point + 3);
    }
    static const QRegularExpression kMantissa(
        QStringLiteral("^([+-]?)(\\d{0,16})(?:\\.(\\d{0,2}))?$"));
    const QRegularExpressionMatch match = kMantissa.match(mantissa);
    if (!match.hasMatch() || (match.captured(2).isEmpty() && match.captured(3).isEmpty()))
        return std::nullopt;
    const QString fraction = match.captured(3).leftJustified(2, u'0');
    qint64 hundredths = match.captured(2).toLongLong() * 100 + fraction.toLongLong();
    if (match.captured(1) == QStringLiteral("-")) hundredths = -hundredths;

    // Hundredths to ten-thousandths is two more powers of ten; counted in 64 bits, so that no
    // exponent overflows.
    const qint64 power = qint64(exponent) + 2;
    if (power < 0) return DivideRounded(hundredths, -power);
    if (power > kMaxPower) return std::nullopt;
    const qint64 factor = PowerOfTen(static_cast<int>(power));
    qint64 scaled = 0;
    if (__builtin_mul_overflow(hundredths, factor, &scaled)) return std::nullopt;
    return scaled;
}

QString FixedPointText(FixedPoint value) {
    const bool negative = value < 0;
    const quint64 magnitude = negative ? 0 - static_cast<quint64>(value) : value;
    QString text = QString::number(magnitude / 10000);
    QString fraction = QStringLiteral("%1").arg(magnitude % 10000, 4, 10, QLatin1Char('0'));
    while (fraction.endsWith(u'0')) fraction.chop(1);
    if (!fraction.isEmpty()) text += u'.' + fraction;
    return negative ? u'-' + text : text;
}

bool HasFigure(const QString& cell) {
    return cell != QStringLiteral("-") && cell != QStringLiteral("0");
}

QString IndexFromQuotient(double quotient) {
    const std::optional<FixedPoint> value = GetSeoZs(NumberToText(quotient));
    return value ? FixedPointText(*value) : QString();
}

QString OptimisationIndex(const QString& monthText, const QString& countText) {
    if (!HasFigure(monthText) || !HasFigure(countText)) return QStringLiteral("0");
    const std::optional<qint32> month = ReadWhole32(monthText);
    const std::optional<qint32> count = ReadWhole32(countText);
    if (!month || !count || *count == 0) return QString();
    // The division first, then the multiplication, as the shown figures were always made.
    return IndexFromQuotient(static_cast<double>(*month) / static_cast<double>(*count) * 10000.0);
}

}  // namespace metrics
