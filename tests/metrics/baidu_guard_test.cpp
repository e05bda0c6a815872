#include "metrics/baidu_guard.h"

#include <gtest/gtest.h>

#include "fixture_pages.h"
#include "shared/cxhtml.h"
#include "support/recording_sound.h"
#include "support/test_environment.h"
#include "test_host.h"

namespace {

using namespace metrics_testing;
using std::chrono::milliseconds;

using RequestGapTest = testing_support::TestEnvironment;

TEST_F(RequestGapTest, WaitsOutTheGapRoundedAsTheWindowCountsIt) {
    const struct {
        const char* interval;
        int sinceLastMs;
        int waitedMs;  // strictly more than the rounded rest of the gap
    } cases[] = {
        {"3", 1400, 2001},  // 1.4 s rounds to 1 < 3: the rest 1.6 rounds to 2
        {"3", 2600, 0},     // 2.6 s rounds to 3: at once
        {"3", 2500, 1},     // 2.5 s rounds to 2; the rest 0.5 rounds to 0: the clock moves on
        {"3", 10000, 0},   {"0", 0, 0}, {"5", 0, 5001}, {"abc", 0, 0},  // no whole number: no wait
    };
    for (const auto& c : cases) {
        TestMiningWindow window;
        window.interval = QString::fromUtf8(c.interval);
        const milliseconds before = clock.Waited();
        metrics::WaitBaiduInterval(window);  // the first request never waits
        EXPECT_EQ(clock.Waited(), before);
        EXPECT_EQ(window.state.LastBaiduRequest, clock.Now());

        clock.Advance(milliseconds(c.sinceLastMs));
        metrics::WaitBaiduInterval(window);
        EXPECT_EQ(clock.Waited() - before, milliseconds(c.waitedMs))
            << c.interval << " " << c.sinceLastMs;
        EXPECT_EQ(window.state.LastBaiduRequest, clock.Now());
    }
}

using BlockingReactionTest = testing_support::TestEnvironment;

TEST_F(BlockingReactionTest, OpensTheSettingsWaitsFiveSecondsOrBeeps) {
    testing_support::RecordingSound sound;
    TestMiningWindow window;
    const struct {
        const char* reaction;
        int dialogs;
        int waitedMs;
        int beeps;
    } cases[] = {{"0", 1, 0, 0}, {"1", 0, 5001, 0}, {"2", 0, 0, 1}, {"5", 0, 0, 0}, {"x", 0, 0, 0}};
    for (const auto& c : cases) {
        window.blockingDialogs = 0;
        sound.beeps.clear();
        const milliseconds before = clock.Waited();
        window.reaction = QString::fromUtf8(c.reaction);
        metrics::BeiK(window);
        EXPECT_EQ(window.blockingDialogs, c.dialogs) << c.reaction;
        EXPECT_EQ(clock.Waited() - before, milliseconds(c.waitedMs)) << c.reaction;
        ASSERT_EQ(sound.beeps.size(), c.beeps) << c.reaction;
    }
}

class FetchBaiduPageTest : public testing_support::TestEnvironment {
  protected:
    TestMiningWindow window;
    CXHtml fetcher;
};

TEST_F(FetchBaiduPageTest, AResultOrNoResultPageIsTakenWithoutReaction) {
    web.Serve(kBaiduHost, QStringLiteral("/s"), Fixture(QStringLiteral("baidu_results.htm")));
    window.reaction = QStringLiteral("0");
    EXPECT_EQ(
        metrics::BaiduCount(metrics::FetchBaiduPage(window, fetcher, QStringLiteral("减 肥&"))),
        QStringLiteral("1230"));
    EXPECT_EQ(RequestedUrls(web),
              QStringList{QStringLiteral("http://www.baidu.com/s?wd=%BC%F5%20%B7%CA%26")});
    EXPECT_EQ(window.blockingDialogs, 0);
}

TEST_F(FetchBaiduPageTest, ABlockingPageCallsTheReactionOnceAndIsReturned) {
    web.Serve(kBaiduHost, QStringLiteral("/s"), Fixture(QStringLiteral("baidu_blocked.htm")));
    window.reaction = QStringLiteral("0");
    EXPECT_EQ(metrics::FetchBaiduPage(window, fetcher, QStringLiteral("词")), kBlockingPage);
    EXPECT_EQ(window.blockingDialogs, 1);
    EXPECT_EQ(web.Requests().size(), 1u);
}

TEST_F(FetchBaiduPageTest, AnEmptyPageIsLoadedThroughTheWindowsBrowserAfterFiveSeconds) {
    window.browser = std::make_unique<TestBrowser>();
    window.browser->document = PageText(QStringLiteral("baidu_results.htm"));
    EXPECT_EQ(metrics::FetchBaiduPage(window, fetcher, QStringLiteral("词")),
              window.browser->document);
    EXPECT_EQ(window.browser->navigated, QStringList{SearchUrl(QStringLiteral("词"))});
    EXPECT_GE(clock.Waited(), milliseconds(5001));
    EXPECT_EQ(window.blockingDialogs, 0);

    // Without a browser the wait is the same and the page stays empty: a failed fetch, not a
    // blocking page, so no reaction holds the caller up.
    const std::unique_ptr<TestWindow> database = TestWindow::Database();
    database->reaction = QStringLiteral("0");
    EXPECT_EQ(metrics::FetchBaiduPage(*database, fetcher, QStringLiteral("词")), QString());
    EXPECT_EQ(database->blockingDialogs, 0);
}

}  // namespace
