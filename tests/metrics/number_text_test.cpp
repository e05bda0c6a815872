#include "metrics/number_text.h"

#include <gtest/gtest.h>

#include <limits>

#include "metrics/index_pair.h"
#include "support/qt_printers.h"

namespace {

using metrics::NumberToText;
using metrics::ReadNumber;
using metrics::ReadWhole32;

TEST(NumberTextTest, ReadsDecimalNumbersWithSeparatorsSignsAndExponents) {
    EXPECT_EQ(ReadNumber(QStringLiteral(" 1,230 ")), 1230.0);
    EXPECT_EQ(ReadNumber(QStringLiteral("-2.5")), -2.5);
    EXPECT_EQ(ReadNumber(QStringLiteral("+.5")), 0.5);
    EXPECT_EQ(ReadNumber(QStringLiteral("1.5E-02")), 0.015);
    for (const char* text : {"", "-", "abc", "12a", "1.2.3", "正在查询中...", "1 2"})
        EXPECT_EQ(ReadNumber(QString::fromUtf8(text)), std::nullopt) << text;
}

TEST(NumberTextTest, EveryDecimalFormIsReadAndEveryOtherTextRefused) {
    const struct {
        const char* text;
        std::optional<double> value;
    } cases[] = {
        {"5.", 5},     {"-.5", -0.5}, {"+1,2,3", 123},  {"\t12\r\n", 12}, {"1e5", 1e5},
        {"1E+2", 100}, {"007", 7},    {"1e-400", 0},  // too small: 0
        {"1e400", {}}, {".", {}},     {"e5", {}},       {"1e", {}},       {"1e+", {}},
        {"+-1", {}},   {"1.e", {}},   {"--1", {}},      {"１２", {}},     {"0x1A", {}},
        {"inf", {}},   {"nan", {}},   {"1\u00a02", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadNumber(QString::fromUtf8(c.text)), c.value) << c.text;
}

// A garbled or hostile page may hold a run of digits of any length: a value longer than any
// figure is no number, and it is refused without reading it through.
TEST(NumberTextTest, AValueLongerThanAnyFigureIsNoNumber) {
    const QString longest = QStringLiteral("1") + QString(metrics::kLongestNumberText - 1, u'0');
    EXPECT_EQ(ReadNumber(QStringLiteral("  ") + longest + QStringLiteral("  ")), 1e63);
    EXPECT_EQ(ReadNumber(longest + u'0'), std::nullopt);
    EXPECT_EQ(ReadNumber(QString(100'000, u'0') + u'1'), std::nullopt);
    EXPECT_EQ(ReadWhole32(QStringLiteral("1.") + QString(1'000'000, u'0')), std::nullopt);
}

// A count as a page writes one: "," stands only before a group of exactly three digits.
TEST(NumberTextTest, ACountIsDigitsInGroupsOfThreeAfterEachSeparator) {
    const QString longest(metrics::kLongestNumberText, u'9');
    for (const QString& count :
         {QStringLiteral("0"), QStringLiteral("007"), QStringLiteral("1,234"),
          QStringLiteral("12,345,678"), QStringLiteral("1234,567"), longest})
        EXPECT_TRUE(metrics::IsCountText(count)) << count.toStdString();
    for (const QString& text :
         {QString(), QStringLiteral("12,34"), QStringLiteral("1,2,3"), QStringLiteral("1,2345"),
          QStringLiteral("1,234,5"), QStringLiteral("1,,234"), QStringLiteral(",123"),
          QStringLiteral("123,"), QStringLiteral("-5"), QStringLiteral("+7"), QStringLiteral("1.5"),
          QStringLiteral("1e309"), QStringLiteral(" 12"), QStringLiteral("１２"), longest + u'9'})
        EXPECT_FALSE(metrics::IsCountText(text)) << text.toStdString();
}

TEST(NumberTextTest, WholeNumbersRoundHalfToEvenWithinTheSignedRange) {
    const struct {
        const char* text;
        std::optional<qint32> whole;
    } cases[] = {
        {"2.5", 2},
        {"3.5", 4},
        {"-2.5", -2},
        {"1.5", 2},
        {"2147483647", 2147483647},
        {"2147483647.5", std::nullopt},
        {"-2147483648", -2147483648},
        {"1e10", std::nullopt},
        {"x", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadWhole32(QString::fromUtf8(c.text)), c.whole) << c.text;
    EXPECT_EQ(metrics::ReadWhole16(QStringLiteral("32768")), std::nullopt);
    EXPECT_EQ(metrics::WholeText(1.5), QStringLiteral("2"));
    EXPECT_EQ(metrics::WholeText(2.5), QStringLiteral("2"));
}

// However large the value, its whole-number text is its digits, never a wrapped-round figure.
TEST(NumberTextTest, WholeTextOfAnyValueIsItsDigitsOrEmptyWhenNotFinite) {
    const QString huge = metrics::WholeText(1e308);
    EXPECT_EQ(huge.size(), 309);
    EXPECT_TRUE(huge.startsWith(QStringLiteral("10000000000000000109790636")))
        << huge.toStdString();
    EXPECT_EQ(metrics::WholeText(-1e308), u'-' + huge);
    EXPECT_EQ(metrics::WholeText(9.3e18), QStringLiteral("9300000000000000000"));
    EXPECT_EQ(metrics::WholeText(-9223372036854775808.0), QStringLiteral("-9223372036854775808"));
    EXPECT_EQ(metrics::WholeText(-0.4), QStringLiteral("0"));
    for (const double value :
         {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::quiet_NaN()})
        EXPECT_EQ(metrics::WholeText(value), QString()) << value;
}

TEST(NumberTextTest, GeneralFormKeepsFifteenDigitsAndTurnsToExponentsForLongSmallValues) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {12.0 / 567 * 10000, "211.640211640212"},
        {5.0 / 30000 * 10000, "1.66666666666667"},
        {120.0 / 1230 * 10000, "975.609756097561"},
        {1.0 / 400 * 10000, "25"},
        {0.0217296307383472, "2.17296307383472E-02"},
        {1.0 / 30, "3.33333333333333E-02"},
        {1.0 / 3, "0.333333333333333"},
        {0.05, "0.05"},
        {0.00005, "0.00005"},
        {1.0 / 2147483647 * 10000, "4.6566128752458E-06"},
        {7.0 / 3 * 1e13, "23333333333333.3"},
        {1e15, "1E+15"},
        {-2.5, "-2.5"},
        {0, "0"},
    };
    for (const auto& c : cases) EXPECT_EQ(NumberToText(c.value), QString::fromUtf8(c.text));
}

TEST(IndexPairTest, OnlyAReplyOfAFormTheLookupsReportIsAnIndexValue) {
    EXPECT_EQ(metrics::IndexPairFromReply(QStringLiteral("35-120\r\n")), QStringLiteral("35-120"));
    EXPECT_EQ(metrics::IndexPairFromReply(QStringLiteral("0-0")), QStringLiteral("0-0"));
    EXPECT_EQ(metrics::IndexPairFromReply(QStringLiteral(" -1500\n")), QStringLiteral("-1500"));
    for (const char* reply :
         {"", "<html>error</html>", "35", "-", "35-", "35-120-7", "a-b", "3 5-120", "35--120"})
        EXPECT_EQ(metrics::IndexPairFromReply(QString::fromUtf8(reply)), std::nullopt) << reply;
}

TEST(IndexPairTest, SplitsIntoYesterdayAndMonthWithMissingPartsNotObtained) {
    const struct {
        const char* pair;
        const char* day;
        const char* month;
    } cases[] = {
        {"35-120", "35", "120"}, {"0-0", "0", "0"}, {"-45", "-", "45"},
        {"7", "7", "-"},         {"", "-", "-"},
    };
    for (const auto& c : cases) {
        const metrics::Volumes volumes = metrics::SplitIndexPair(QString::fromUtf8(c.pair));
        EXPECT_EQ(volumes.day, QString::fromUtf8(c.day)) << c.pair;
        EXPECT_EQ(volumes.month, QString::fromUtf8(c.month)) << c.pair;
    }
}

}  // namespace
