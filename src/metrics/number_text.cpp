#include "metrics/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string_view>

#include <QVarLengthArray>

#include "platform/row_table.h"

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

// Whether `number` is a sign, digits with a decimal point anywhere among them (at least one
// digit), and an exponent of at least one digit, each but the digits optional.
bool IsDecimalNumber(std::string_view number) {
    size_t i = 0;
    const auto skipSign = [&] {
        if (i < number.size() && (number[i] == '+' || number[i] == '-')) ++i;
    };
    const auto digits = [&] {
        const size_t start = i;
        while (i < number.size() && number[i] >= '0' && number[i] <= '9') ++i;
        return i - start;
    };
    skipSign();
    size_t mantissaDigits = digits();
    if (i < number.size() && number[i] == '.') {
        ++i;
        mantissaDigits += digits();
    }
    if (mantissaDigits == 0) return false;
    if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
        ++i;
        skipSign();
        if (digits() == 0) return false;
    }
    return i == number.size();
}

}  // namespace

std::optional<double> ReadNumber(QStringView text) {
    const QStringView trimmed = text.trimmed();
    if (trimmed.size() > kLongestNumberText) return std::nullopt;
    std::array<char, kLongestNumberText> plain;
    size_t length = 0;
    for (const QChar c : trimmed) {
        if (c == u',') continue;
        if (c.unicode() > 0x7f) return std::nullopt;
        plain[length++] = static_cast<char>(c.unicode());
    }
    std::string_view number(plain.data(), length);
    if (!IsDecimalNumber(number)) return std::nullopt;
    // from_chars reads the same digits whatever the locale, but takes no "+".
    if (number.front() == '+') number.remove_prefix(1);
    double value = 0;
    const std::errc error = std::from_chars(number.data(), number.data() + number.size(), value).ec;
    if (error == std::errc::result_out_of_range) {
        // Too small to hold reads as 0, too large is no number. The mantissa's length is
        // bounded, so only the exponent's sign can make it either.
        const bool tiny = number.find("e-") != number.npos || number.find("E-") != number.npos;
        if (tiny) return 0.0;
        return std::nullopt;
    }
    if (error != std::errc() || !std::isfinite(value)) return std::nullopt;
    return value;
}

bool IsCountText(QStringView text) {
    if (text.isEmpty() || text.size() > kLongestNumberText) return false;
    qsizetype digits = 0;  // since the last ","
    bool grouped = false;  // a "," came
    for (const QChar c : text) {
        if (c == u',') {
            if (digits == 0 || (grouped && digits != 3)) return false;
            grouped = true;
            digits = 0;
            continue;
        }
        if (c < u'0' || c > u'9') return false;
        ++digits;
    }
    return digits > 0 && (!grouped || digits == 3);
}

bool IsZeroCount(QStringView text) {
    return IsCountText(text) &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c == u'0' || c == u','; });
}

bool NumberCellLess(QStringView a, QStringView b) {
    const std::optional<double> x = ReadNumber(a);
    const std::optional<double> y = ReadNumber(b);
    if (x && y) return *x < *y;
    if (x || y) return y.has_value();
    return platform::TextLess(a, b);
}

std::optional<qint32> ToWhole32(double value) {
    return ToWhole<qint32>(value);
}
std::optional<qint16> ToWhole16(double value) {
    return ToWhole<qint16>(value);
}

std::optional<qint32> ReadWhole32(QStringView text) {
    const std::optional<double> value = ReadNumber(text);
    return value ? ToWhole32(*value) : std::nullopt;
}

std::optional<qint16> ReadWhole16(QStringView text) {
    const std::optional<double> value = ReadNumber(text);
    return value ? ToWhole16(*value) : std::nullopt;
}

QString WholeText(double value) {
    if (!std::isfinite(value)) return QString();
    // Written from the double itself, so that no size of value overflows; plus zero turns the
    // "-0" of a small negative value into "0".
    return QString::number(std::nearbyint(value) + 0.0, 'f', 0);
}

QString NumberToText(double value) {
    if (!std::isfinite(value)) return QString();
    if (value == 0) return QStringLiteral("0");
    // 15 significant digits: d.dddddddddddddde±x. The text is read and written in place: the
    // optimisation index of every row of a long list passes through here.
    const QString scientific = QString::number(std::fabs(value), 'e', 14);
    const QStringView written(scientific);
    const qsizetype e = written.indexOf(u'e');
    QVarLengthArray<char16_t, 16> digits;
    for (const QChar c : written.left(e))
        if (c != u'.') digits.append(c.unicode());
    const int exponent = written.mid(e + 1).toInt();
    while (digits.size() > 1 && digits.back() == u'0') digits.removeLast();
    const QStringView significant(digits.constData(), digits.size());

    QString text;
    text.reserve(24);
    if (value < 0) text += u'-';
    const bool plain = exponent < 0 ? (-exponent - 1) + digits.size() <= 15 : exponent < 15;
    if (plain) {
        if (exponent < 0) {
            text += u"0.";
            text.append(QString(-exponent - 1, u'0'));
            text += significant;
        } else if (significant.size() <= exponent + 1) {
            text += significant;
            text.append(QString(exponent + 1 - significant.size(), u'0'));
        } else {
            text += significant.left(exponent + 1);
            text += u'.';
            text += significant.mid(exponent + 1);
        }
        return text;
    }
    text += significant.left(1);
    if (significant.size() > 1) {
        text += u'.';
        text += significant.mid(1);
    }
    text += exponent < 0 ? u"E-" : u"E+";
    const int magnitude = std::abs(exponent);
    if (magnitude < 10) text += u'0';
    text += QString::number(magnitude);
    return text;
}

}  // namespace metrics
