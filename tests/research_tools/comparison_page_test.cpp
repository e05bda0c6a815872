#include "research_tools/comparison_page.h"

#include <gtest/gtest.h>

#include "fixture_pages.h"
#include "support/qt_printers.h"

namespace {

using research::AnalyseResultPage;
using research::ResultPageCounts;
using research_testing::LastPage;
using research_testing::PageText;
using research_testing::Without;

const QDate kToday(2026, 12, 10);

QString Counts(const ResultPageCounts& counts) {
    return QStringLiteral("%1|%2|%3").arg(counts.paid).arg(counts.home).arg(counts.fresh);
}

TEST(ComparisonPageTest, TheFirstPageCountsPaidHomePageAndFreshResults) {
    const QString page = PageText(QStringLiteral("baidu_compare.htm"));
    // Three adverts; home pages 1, 4 (trailing "/"), 5 (quoted with ') and 9 (unquoted);
    // fresh 1 (a day), 2 (three days), 5 (a later date) and 9 (today), not 3 (four days).
    EXPECT_EQ(Counts(AnalyseResultPage(page, kToday)), QStringLiteral("3|4|4"));
    // The last results page has no pager: its blocks count all the same.
    EXPECT_EQ(Counts(AnalyseResultPage(LastPage(page), kToday)), QStringLiteral("3|4|4"));
    // Cut short within the fifth result: the four before it count.
    EXPECT_EQ(Counts(AnalyseResultPage(page.left(page.indexOf(QStringLiteral("茶之家"))), kToday)),
              QStringLiteral("3|2|2"));
    // Four days later the day-old snapshot is too old; the later date still counts.
    EXPECT_EQ(Counts(AnalyseResultPage(page, kToday.addDays(4))), QStringLiteral("3|4|1"));
}

TEST(ComparisonPageTest, PagesWithoutTheirMarkersCountNothingFromElsewhere) {
    const QString page = PageText(QStringLiteral("baidu_compare.htm"));
    // Without the search box's end the region starts at the first advert's label.
    const QString noBox = Without(page, QStringLiteral("</font></a></td></tr></table>"));
    EXPECT_EQ(Counts(AnalyseResultPage(noBox, kToday)), QStringLiteral("0|0|0"));
    const QString fromAdvert =
        QString(noBox).replace(QStringLiteral("<p style=\"height:8px\"></p>"),
                               QStringLiteral("<a href=\"http://e.baidu.com/\">来百度推广</a>"));
    EXPECT_EQ(Counts(AnalyseResultPage(fromAdvert, kToday)), QStringLiteral("3|4|4"));
    // Without snapshots the results are neither fresh nor home pages.
    EXPECT_EQ(
        Counts(AnalyseResultPage(QString(page).replace(QStringLiteral("<font color=\"#008000\">"),
                                                       QStringLiteral("<font>")),
                                 kToday)),
        QStringLiteral("3|0|0"));
    for (const char* other : {"baidu_noresult.htm", "baidu_blocked.htm"})
        EXPECT_EQ(Counts(AnalyseResultPage(PageText(QString::fromUtf8(other)), kToday)),
                  QStringLiteral("0|0|0"));
    EXPECT_EQ(Counts(AnalyseResultPage(QString(), kToday)), QStringLiteral("0|0|0"));
}

TEST(ComparisonPageTest, KeywordsKeepTheirBlanksButEmptyPiecesGo) {
    EXPECT_EQ(research::ComparisonKeywords(QStringLiteral("  a # b#c  ")),
              QStringList({"a ", " b", "c"}));
    EXPECT_EQ(research::ComparisonKeywords(QStringLiteral("#a##b#  # ")), QStringList({"a", "b"}));
    EXPECT_EQ(research::ComparisonKeywords(QStringLiteral("a#a")), QStringList({"a", "a"}));
    EXPECT_TRUE(research::ComparisonKeywords(QStringLiteral("   ")).isEmpty());
}

TEST(ComparisonPageTest, TheScoreTakesEachBandEdgeIntoTheBandAbove) {
    struct Case {
        double ratio;
        double score;
    };
    const Case cases[] = {{0, 0},       {0.0001, 0.8}, {0.999, 0.8}, {1, 0.5},
                          {9.99, 0.5},  {10, 0.3},     {99.9, 0.3},  {100, 0.1},
                          {999.9, 0.1}, {1000, 0},     {1e12, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ratio);
        EXPECT_EQ(research::VolumeRatioScore(c.ratio), c.score);
    }
}

TEST(ComparisonPageTest, TheRatioTakesAVolumeOfZeroAsTenAndACountOfZeroAsNoRatio) {
    EXPECT_EQ(research::VolumeCountRatio(QStringLiteral("0"), QStringLiteral("1000000")), 0.1);
    EXPECT_EQ(research::VolumeCountRatio(QStringLiteral("500"), QStringLiteral("0")), 0.0);
    EXPECT_EQ(research::VolumeCountRatio(QStringLiteral("120"), QStringLiteral("1230000")),
              120 * 10000.0 / 1230000);
    EXPECT_EQ(research::VolumeCountRatio(QStringLiteral("-"), QStringLiteral("1000")),
              std::nullopt);
    EXPECT_EQ(research::VolumeCountRatio(QStringLiteral("10"), QStringLiteral("-")), std::nullopt);
}

TEST(ComparisonPageTest, TheDegreeAddsATenthOfEachCountToTheScore) {
    EXPECT_EQ(research::CompetitionDegree({3, 2, 5}, 0.8), QStringLiteral("1.8"));
    EXPECT_EQ(research::CompetitionDegree({0, 0, 0}, 0), QStringLiteral("0"));
    EXPECT_EQ(research::CompetitionDegree({1, 0, 0}, 0.1), QStringLiteral("0.2"));
    EXPECT_EQ(research::CompetitionDegree({10, 10, 10}, 0.5), QStringLiteral("3.5"));
}

}  // namespace
