#include "metrics/optimisation_index.h"

#include <gtest/gtest.h>

#include <limits>

#include "metrics/number_text.h"
#include "support/qt_printers.h"

namespace {

QString Shown(const char* text) {
    const std::optional<metrics::FixedPoint> value = metrics::GetSeoZs(QString::fromUtf8(text));
    return value ? metrics::FixedPointText(*value) : QStringLiteral("<fails>");
}

TEST(GetSeoZsTest, CutsThePlainFormAfterTwoDecimalsAndTheMantissaOfTheExponentForm) {
    const struct {
        const char* text;
        const char* shown;
    } cases[] = {
        {"211.640211640212", "211.64"},
        {"1.66666666666667", "1.66"},  // cut, never rounded
        {"25", "25"},
        {"123.999", "123.99"},
        {"12.5", "12.5"},
        {"975.609756097561", "975.6"},
        {"0.0123", "0.01"},  // the plain form is cut after two decimals of the value
        {"1.23456790123457E-02", "0.0123"},  // the exponent form after two of the mantissa
        {"2.17296307383472E-01", "0.217"},
        {"2.17296307383472E-02", "0.0217"},
        {"1.23456790123457E-03", "0.0012"},
        {"9.87654320987654E-04", "0.001"},  // rounded to four decimals
        // Exponents beyond four decimals scale too: such a quotient is no mantissa-sized figure.
        {"5E-05", "0"},
        {"4.6566128752458E-06", "0"},
        {"0.00005", "0"},
        {"1E+14", "100000000000000"},
        {"0", "0"},
    };
    for (const auto& c : cases) EXPECT_EQ(Shown(c.text), QString::fromUtf8(c.shown)) << c.text;
}

TEST(GetSeoZsTest, FailsOnTextThatIsNoNumber) {
    for (const char* text : {"", "abc", "1.2.3", "1.5E-", "-", "1E+15"})  // past the fixed range
        EXPECT_EQ(metrics::GetSeoZs(QString::fromUtf8(text)), std::nullopt) << text;
}

// Extreme exponents neither overflow nor wrap round: a huge value is past the fixed range, a
// tiny one rounds to 0.
TEST(GetSeoZsTest, ExtremeExponentsAndValuesStayInRange) {
    const struct {
        const char* text;
        const char* shown;
    } cases[] = {
        {"1E+2147483647", "<fails>"}, {"1E+2147483646", "<fails>"}, {"-9.99E+308", "<fails>"},
        {"1E-2147483648", "0"},       {"-5E-2147483647", "0"},      {"4.94065645841247E-324", "0"},
    };
    for (const auto& c : cases) EXPECT_EQ(Shown(c.text), QString::fromUtf8(c.shown)) << c.text;
    const QString longest = QStringLiteral("1.") + QString(metrics::kLongestNumberText, u'0');
    EXPECT_EQ(metrics::GetSeoZs(longest), std::nullopt);

    for (const double quotient :
         {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::quiet_NaN(), 1e308, -1e308})
        EXPECT_EQ(metrics::IndexFromQuotient(quotient), QString()) << quotient;
    EXPECT_EQ(metrics::IndexFromQuotient(std::numeric_limits<double>::denorm_min()),
              QStringLiteral("0"));
}

// The index of a quotient is worked out without its text where that is safe; it must equal what
// the text gives, hundredths that a product like 0.29 * 100 misses by a hair included.
TEST(IndexFromQuotientTest, EqualsTheCutOfTheQuotientsText) {
    const auto fromText = [](double quotient) {
        const std::optional<metrics::FixedPoint> value =
            metrics::GetSeoZs(metrics::NumberToText(quotient));
        return value ? metrics::FixedPointText(*value) : QString();
    };
    for (const double quotient : {0.29, 0.57, 0.1, 0.0999999, 1.005, 12.345, 99.995, 25.0,
                                  211.640211640212, 999999999.995, 1e9, 1e9 + 0.015})
        EXPECT_EQ(metrics::IndexFromQuotient(quotient), fromText(quotient)) << quotient;
    // Monthly volumes and counts as lists hold them, quotients of every size.
    quint32 seed = 12345;
    const auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    for (int i = 0; i < 20000; ++i) {
        const double month = next() % (i % 2 ? 100000 : 100);
        const double count = 1 + next() % (i % 3 ? 10000000 : 1000);
        const double quotient = month / count * 10000.0;
        ASSERT_EQ(metrics::IndexFromQuotient(quotient), fromText(quotient))
            << month << "/" << count;
    }
}

TEST(OptimisationIndexTest, DividesMonthlyVolumeByCountTimesTenThousand) {
    const struct {
        const char* month;
        const char* count;
        const char* index;
    } cases[] = {
        {"12", "567", "211.64"},   {"5", "30000", "1.66"},
        {"1", "400", "25"},        {"120", "1230", "975.6"},
        {"1", "46", "217.39"},     {"1", "460", "21.73"},
        {"1", "4600", "2.17"},     {"1", "46000", "0.21"},
        {"1", "460000", "0.0217"},  // 16 digits plain: the exponent form
        {"1", "2147483647", "0"},  {"-", "567", "0"},
        {"0", "567", "0"},         {"12", "-", "0"},
        {"12", "0", "0"},          {"", "567", ""},
        {"12", "x", ""},           {"12", "0.4", ""},
        {"3000000000", "5", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(
            metrics::OptimisationIndex(QString::fromUtf8(c.month), QString::fromUtf8(c.count)),
            QString::fromUtf8(c.index))
            << c.month << " / " << c.count;
}

}  // namespace
