#include "research_tools/index_query_pages.h"

#include "metrics/search_pages.h"

#include <gtest/gtest.h>

#include "fixture_pages.h"
#include "support/qt_printers.h"

namespace {

using research_testing::PageText;
using research_testing::Without;

TEST(IndexQueryPagesTest, KeywordsAreTrimmedLowerCasedAndNeverEmpty) {
    EXPECT_EQ(research::QueryKeywords(QStringLiteral("  Seo # 关键词  ")),
              QStringList({"seo", "关键词"}));
    EXPECT_EQ(research::QueryKeywords(QStringLiteral("#a##b# #")), QStringList({"a", "b"}));
    EXPECT_EQ(research::QueryKeywords(QStringLiteral("A&B 计划#😀")),
              QStringList({"a&b 计划", "😀"}));
    EXPECT_TRUE(research::QueryKeywords(QStringLiteral("   ")).isEmpty());
}

// No value at all (an empty text) was not obtained: a dash in both.
TEST(IndexQueryPagesTest, VolumesShowADashForNoMonthAndZeroForNoDay) {
    struct Case {
        const char* pair;
        const char* month;
        const char* day;
    };
    const Case cases[] = {
        {"35-120", "120", "35"}, {"0-0", "-", "0"},   {"", "-", "-"},
        {"-120", "120", "0"},    {"35-x", "-", "35"}, {"35", "-", "35"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pair);
        const research::QueryVolumes volumes = research::VolumesOf(QString::fromUtf8(c.pair));
        EXPECT_EQ(volumes.month, QString::fromUtf8(c.month));
        EXPECT_EQ(volumes.day, QString::fromUtf8(c.day));
    }
}

// Google's count as written; "0" only where Google says it found nothing, "-" on any other page.
TEST(IndexQueryPagesTest, GoogleCountKeepsItsSeparators) {
    const QString page = PageText(QStringLiteral("google_results.htm"), QStringLiteral("UTF-8"));
    EXPECT_EQ(metrics::GoogleCountAsWritten(page), QStringLiteral("1,230,000"));
    EXPECT_EQ(metrics::GoogleCountAsWritten(Without(page, QStringLiteral("约 <b>"))),
              QStringLiteral("-"));
    EXPECT_EQ(
        metrics::GoogleCountAsWritten(QStringLiteral("<p>找不到和您的查询 \"<b>seo</b>\"</p>")),
        QStringLiteral("0"));
    EXPECT_EQ(metrics::GoogleCountAsWritten(QString()), QStringLiteral("-"));
    // Text between the markers that is no count is not obtained.
    for (const char* text : {"12<i>3</i>", "about", "-5", "1.5", "12,34"})
        EXPECT_EQ(metrics::GoogleCountAsWritten(QStringLiteral("约 <b>") + QString::fromUtf8(text) +
                                                QStringLiteral("</b>")),
                  QStringLiteral("-"))
            << text;
}

TEST(IndexQueryPagesTest, AttentionFiguresDropTheSpanAttributes) {
    const QString page = PageText(QStringLiteral("index_word.htm"));
    const research::Attention all = research::ParseAttention(page);
    EXPECT_EQ(QStringList({all.week, all.month, all.quarter}),
              QStringList({"12,345", "9,876", "7,654"}));

    // Each marker missing in turn: a dash there, the others as they are.
    const research::Attention noWeek =
        research::ParseAttention(Without(page, QStringLiteral("周</td><td><span")));
    EXPECT_EQ(QStringList({noWeek.week, noWeek.month, noWeek.quarter}),
              QStringList({"-", "9,876", "7,654"}));
    const research::Attention noMonth =
        research::ParseAttention(Without(page, QStringLiteral("月</td><td><span")));
    EXPECT_EQ(QStringList({noMonth.week, noMonth.month, noMonth.quarter}),
              QStringList({"12,345", "-", "7,654"}));
    const research::Attention noQuarter =
        research::ParseAttention(page.left(page.indexOf(QStringLiteral("季度"))));
    EXPECT_EQ(QStringList({noQuarter.week, noQuarter.month, noQuarter.quarter}),
              QStringList({"12,345", "9,876", "-"}));

    const research::Attention unknown =
        research::ParseAttention(PageText(QStringLiteral("index_word_unknown.htm")));
    EXPECT_EQ(QStringList({unknown.week, unknown.month, unknown.quarter}),
              QStringList({"0", "0", "0"}));
    const research::Attention none = research::ParseAttention(QString());
    EXPECT_EQ(QStringList({none.week, none.month, none.quarter}), QStringList({"-", "-", "-"}));

    // A span whose text is no count shows a dash.
    const research::Attention garbled = research::ParseAttention(
        QString(page)
            .replace(QStringLiteral("12,345"), QStringLiteral("登录后查看"))
            .replace(QStringLiteral("9,876"), QStringLiteral("-9")));
    EXPECT_EQ(QStringList({garbled.week, garbled.month, garbled.quarter}),
              QStringList({"-", "-", "7,654"}));
}

TEST(IndexQueryPagesTest, IndexesAreCutAfterTwoDecimalsInFixedPoint) {
    struct Case {
        const char* month;
        const char* count;
        const char* index;
    };
    const Case cases[] = {
        {"50", "300000", "1.66"},  // 1.66666666666667
        {"300", "100000", "30"},
        {"1", "1000", "10"},
        {"1", "10000000", "0.00"},     // 0.001
        {"217", "100000000", "0.02"},  // 2.17E-02 in the shortest form
        {"120", "1,230,000", "0.97"},  // separators are no part of the number
        {"-", "1000", "0"},
        {"120", "0", "0"},
        {"120", "-", "0"},
        {"2000000000", "1", "20000000000000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        EXPECT_EQ(research::QueryOptimisationIndex(QString::fromUtf8(c.month),
                                                   QString::fromUtf8(c.count)),
                  QString::fromUtf8(c.index));
    }
    EXPECT_EQ(research::CutToTwoDecimals(1e-20), QStringLiteral("0.00"));
    EXPECT_EQ(research::CutToTwoDecimals(1.999999999999999), QStringLiteral("2"));
    EXPECT_EQ(research::CutToTwoDecimals(1e20), QStringLiteral("100000000000000000000"));
    EXPECT_EQ(research::CutToTwoDecimals(12.5), QStringLiteral("12.5"));
}

}  // namespace
