#include "metrics/number_text.h"

#include <QRegularExpression>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace metrics {
namespace {

template <typename Whole>
std::optional<Whole> ToWhole(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    // The default floating-point rounding mode rounds an exact half to the even neighbour.
    const double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<Whole>::min() || rounded > std::numeric_limits<Whole>::max())
        return std::nullopt;
    return static_cast<Whole>(rounded);
}

}  // namespace

std::optional<double> ReadNumber(const QString& text) {
    static const QRegularExpression kNumber(
        QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    QString plain = text.trimmed();
    plain.remove(u',');
    if (!kNumber.match(plain).hasMatch()) return std::nullopt;
    const double value = std::strtod(plain.toLatin1().constData(), nullptr);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<qint32> ToWhole32(double value) {
    return ToWhole<qint32>(value);
}
std::optional<qint16> ToWhole16(double value) {
    return ToWhole<qint16>(value);
}

std::optional<qint32> ReadWhole32(const QString& text) {
    const std::optional<double> value = ReadNumber(text);
    return value ? ToWhole32(*value) : std::nullopt;
}

std::optional<qint16> ReadWhole16(const QString& text) {
    const std::optional<double> value = ReadNumber(text);
    return value ? ToWhole16(*value) : std::nullopt;
}

QString WholeText(double value) {
    return QString::number(static_cast<qint64>(std::nearbyint(value)));
}

QString NumberToText(double value) {
    if (!std::isfinite(value)) return QString();
    if (value == 0) return QStringLiteral("0");
    // 15 significant digits: d.dddddddddddddde±x
    const QString scientific = QString::number(std::fabs(value), 'e', 14);
    const int e = scientific.indexOf(u'e');
    QString digits = scientific.left(e).remove(u'.');
    const int exponent = scientific.mid(e + 1).toInt();
    while (digits.size() > 1 && digits.endsWith(u'0')) digits.chop(1);
    const QString sign = value < 0 ? QStringLiteral("-") : QString();

    const bool plain = exponent < 0 ? (-exponent - 1) + digits.size() <= 15 : exponent < 15;
    if (plain) {
        if (exponent < 0)
            return sign + QStringLiteral("0.") + QString(-exponent - 1, u'0') + digits;
        if (digits.size() <= exponent + 1)
            return sign + digits + QString(exponent + 1 - digits.size(), u'0');
        return sign + digits.left(exponent + 1) + u'.' + digits.mid(exponent + 1);
    }
    QString mantissa = digits.left(1);
    if (digits.size() > 1) mantissa += u'.' + digits.mid(1);
    return sign + mantissa + (exponent < 0 ? QStringLiteral("E-") : QStringLiteral("E+")) +
           QStringLiteral("%1").arg(std::abs(exponent), 2, 10, QLatin1Char('0'));
}

}  // namespace metrics
