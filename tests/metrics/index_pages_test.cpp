#include "metrics/index_pages.h"

#include <gtest/gtest.h>

#include "fixture_pages.h"
#include "metrics/index_pair.h"
#include "support/qt_printers.h"

namespace {

using namespace metrics_testing;

TEST(ThirtyDayPageTest, GivesPointThirtyAndTheSumOverThirtyOrNothingBelowTwoPoints) {
    const struct {
        const char* page;
        std::optional<QString> pair;
    } cases[] = {
        {"thirty_day_sum45.xml", QStringLiteral("1-2")},  // 45 / 30 = 1.5: even neighbour 2
        {"thirty_day_sum75.xml", QStringLiteral("3-2")},  // 75 / 30 = 2.5: even neighbour 2
        {"thirty_day_zeros.xml", QStringLiteral("0-0")},
        {"thirty_day_31_points.xml", QStringLiteral("7-13")},  // point 30 is the latest
        {"thirty_day_5_points.xml", QStringLiteral("-5")},     // no point 30: no latest value
        // "x" and a missing value count 0, "1,000" is a thousand: 27 * 10 + 1000 over 30.
        {"thirty_day_unreadable_points.xml", QStringLiteral("1000-42")},
        {"thirty_day_one_point.xml", std::nullopt},
        {"thirty_day_no_points.xml", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(metrics::ThirtyDayIndex(PageText(QString::fromUtf8(c.page))), c.pair) << c.page;
    EXPECT_EQ(metrics::ThirtyDayIndex(QString()), std::nullopt);
}

TEST(IndexWordPageTest, OnlyAPageThatSaysSoDoesNotKnowTheKeyword) {
    const struct {
        const char* page;
        bool knows;
    } cases[] = {
        {"index_word_known.htm", true},
        {"index_word_unknown.htm", false},
        // Read alone the error page's text says it too: its status must keep it from the
        // parser.
        {"index_word_not_found.htm", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(metrics::IndexKnowsWord(PageText(QString::fromUtf8(c.page))), c.knows) << c.page;
    EXPECT_TRUE(metrics::IndexKnowsWord(QString())) << "a page that did not come";
}

TEST(HistoryPageTest, GivesTheDailyValuesOldestFirstAndTheLatestValue) {
    const struct {
        const char* page;
        int count;
        const char* first;
        const char* last;
        std::optional<qint32> latest;
        bool services = true;  // the history service's own page
    } cases[] = {
        {"history_40_days.htm", 40, "1000", "", 35},  // an empty day keeps its place
        {"history_2_days.htm", 2, "14", "7", 9},
        {"history_365_days.htm", 365, "1", "365", 365},
        {"history_no_latest.htm", 1, "0", "0", 0},  // the service's page without data
        {"history_unreadable_latest.htm", 1, "4", "4", std::nullopt},
        {"history_bad_gateway.htm", 0, "", "", 0, false},
    };
    for (const auto& c : cases) {
        const QString page = PageText(QString::fromUtf8(c.page));
        EXPECT_EQ(metrics::IsHistoryPage(page), c.services) << c.page;
        const QStringList values = metrics::HistoryValues(page);
        EXPECT_EQ(values.size(), c.count) << c.page;
        EXPECT_EQ(values.value(0), QString::fromUtf8(c.first)) << c.page;
        EXPECT_EQ(values.value(values.size() - 1), QString::fromUtf8(c.last)) << c.page;
        EXPECT_EQ(metrics::HistoryLatest(page), c.latest) << c.page;
    }
    EXPECT_EQ(metrics::HistoryValues(PageText(QStringLiteral("history_40_days.htm"))).value(38),
              QStringLiteral("x"))
        << "a value that is no number stays as it came";
}

TEST(ShareReplyTest, TheServicesRepliesGiveAnIndexValueAndItsErrorPageNone) {
    EXPECT_EQ(metrics::IndexPairFromReply(PageText(QStringLiteral("share_value.txt"))),
              QStringLiteral("35-120"));
    EXPECT_EQ(metrics::IndexPairFromReply(PageText(QStringLiteral("share_short_history.txt"))),
              QStringLiteral("-1500"));
    EXPECT_EQ(metrics::IndexPairFromReply(
                  PageText(QStringLiteral("share_bad_gateway.htm"), QStringLiteral("utf-8"))),
              std::nullopt);
}

}  // namespace
