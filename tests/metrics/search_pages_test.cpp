#include "metrics/search_pages.h"

#include <gtest/gtest.h>

#include "fixture_pages.h"
#include "support/qt_printers.h"

namespace {

using namespace metrics_testing;

TEST(ResultsPageTest, CountIsCutFromTheMarkersAndOnlyAJudgedPageCountsAsNothingFound) {
    const struct {
        const char* page;  // empty: no page came
        metrics::BaiduPage kind;
        const char* count;
    } cases[] = {
        {"baidu_results.htm", metrics::BaiduPage::Result, "1230"},
        {"baidu_results_plain_count.htm", metrics::BaiduPage::Result, "9"},
        {"baidu_no_results.htm", metrics::BaiduPage::NoResult, "0"},
        {"baidu_blocked.htm", metrics::BaiduPage::Other, "-"},
        {"", metrics::BaiduPage::Other, "-"},
        // A blocking page that still shows a count: the count is taken, the page judged other.
        {"baidu_blocked_with_count.htm", metrics::BaiduPage::Other, "7"},
    };
    for (const auto& c : cases) {
        const QString page = *c.page ? PageText(QString::fromUtf8(c.page)) : QString();
        EXPECT_EQ(metrics::JudgeBaiduPage(page), c.kind) << c.page;
        EXPECT_EQ(metrics::BaiduCount(page), QString::fromUtf8(c.count)) << c.page;
    }
}

TEST(ResultsPageTest, GoogleCountIsCutFromItsMarkersWithoutSeparators) {
    const struct {
        const char* page;  // empty: no page came
        const char* count;
    } cases[] = {
        {"google_results.htm", "1200000"},
        {"google_no_results.htm", "0"},
        {"google_refusal.htm", "0"},  // read alone; its error status makes the fetch give none
        {"", "-"},
    };
    for (const auto& c : cases) {
        const QString page =
            *c.page ? PageText(QString::fromUtf8(c.page), QStringLiteral("utf-8")) : QString();
        EXPECT_EQ(metrics::GoogleCount(page), QString::fromUtf8(c.count)) << c.page;
    }
}

}  // namespace
