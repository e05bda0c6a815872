#include "lookups/site_throttle.h"

#include <gtest/gtest.h>

#include "fixture_pages.h"
#include "lookups/site_metrics.h"
#include "shared/registry_store.h"
#include "support/test_environment.h"

namespace {

using lookups::CSeo;
using namespace lookups_testing;
using namespace std::chrono_literals;
using std::chrono::milliseconds;

TEST(ThrottleDelayTest, WaitsStrictlyLongerThanTheRestOfTheGapInWholeSeconds) {
    const QDateTime now(QDate(2010, 6, 24), QTime(12, 0));
    const struct {
        const char* gap;
        std::optional<qint64> msAgo;  // the previous request; none for the first one
        milliseconds delay;
    } cases[] = {
        {"5", std::nullopt, 0ms},  // the first request never waits
        {"5", 2300, 3001ms},       // 5 - 2.3 = 2.7 rounds to 3
        {"5", 4600, 0ms},          // 4.6 rounds to 5: the gap has passed
        {"5", 4400, 1001ms},       // 4.4 rounds to 4
        {"3", 1000, 2001ms},
        {"2.5", 1000, 1001ms},  // the gap rounds to 2, halves to the even neighbour
        {" 1,000 ", 999000, 1001ms},
        {"5", 0, 5001ms},
        {"0", 0, 0ms},
        {"", 0, 0ms},  // a missing, empty or unreadable gap is none
        {"abc", 0, 0ms},
        {"-4", 0, 0ms},
        {"1e300", 0, 0ms},
    };
    for (const auto& c : cases) {
        const std::optional<QDateTime> last =
            c.msAgo ? std::optional(now.addMSecs(-*c.msAgo)) : std::nullopt;
        EXPECT_EQ(lookups::ThrottleDelay(last, now, QString::fromUtf8(c.gap)).count(),
                  c.delay.count())
            << c.gap << " after " << c.msAgo.value_or(-1) << " ms";
    }
}

TEST(ThrottleDelayTest, AGapAcrossMidnightCountsItsFullLength) {
    const QDateTime before(QDate(2010, 6, 24), QTime(23, 59, 59));
    EXPECT_EQ(lookups::ThrottleDelay(before, before.addSecs(2), QStringLiteral("5")), 3001ms);
}

class SiteThrottleTest : public testing_support::TestEnvironment {
  protected:
    void SetUp() override {
        mReg::CreateConfigKey(platform::Hive::CurrentUser, mReg::ConfigKey);
        web.Serve(QStringLiteral("www.baidu.com"), QStringLiteral("/s"),
                  Fixture(QStringLiteral("baidu_site.htm")));
        web.Serve(QStringLiteral("www.google.com.hk"), QStringLiteral("/search"),
                  Fixture(QStringLiteral("google_zh_site.htm")));
        web.Serve(QStringLiteral("www.sogou.com"), QStringLiteral("/web"),
                  Fixture(QStringLiteral("sogou_site.htm")));
        web.Serve(QStringLiteral("seo-a.seotools.tarnwick.com"),
                  QStringLiteral("/Seos/Details.aspx"), Fixture(QStringLiteral("seo_a_count.htm")));
    }

    void Set(const char* name, const char* seconds) {
        mReg::SetConfigValue(platform::Hive::CurrentUser, mReg::ConfigKey,
                             QString::fromLatin1(name), QString::fromLatin1(seconds));
    }

    // How long `lookup` waited on the clock before its request.
    milliseconds WaitOf(void (CSeo::*lookup)(const QString&)) {
        const milliseconds before = clock.Waited();
        (seo.*lookup)(QStringLiteral("example.com"));
        return clock.Waited() - before;
    }

    CSeo seo;
};

TEST_F(SiteThrottleTest, EachThrottledLookupCountsFromItsOwnPreviousRequest) {
    Set("baiduse", "3");
    Set("googlese", "3");
    EXPECT_EQ(WaitOf(&CSeo::GetBaiduS), 0ms);
    EXPECT_EQ(WaitOf(&CSeo::GetbaiduD), 0ms) << "a different lookup, a time of its own";
    EXPECT_EQ(WaitOf(&CSeo::GetBaiduDates), 0ms);
    EXPECT_EQ(WaitOf(&CSeo::GetGoogleS), 0ms) << "does not wait for Baidu";
    clock.Advance(1s);
    EXPECT_EQ(WaitOf(&CSeo::GetBaiduS), 2001ms);
    EXPECT_EQ(WaitOf(&CSeo::GetBaiduS), 3001ms);
    EXPECT_EQ(WaitOf(&CSeo::GetGoogleS), 0ms) << "3 seconds have passed since its request";
    EXPECT_EQ(WaitOf(&CSeo::GetGoogleD), 0ms);
    EXPECT_EQ(WaitOf(&CSeo::GetGoogleD), 3001ms);
    EXPECT_EQ(CSeo().baidu1(), QVariant()) << "a new object starts without times";
}

TEST_F(SiteThrottleTest, SogouLookupsReadTheirOwnSettingAndFallbacksNeverWait) {
    Set("sogouse", "2");
    EXPECT_EQ(WaitOf(&CSeo::GetSogouS), 0ms);
    EXPECT_EQ(WaitOf(&CSeo::GetSogouD), 0ms);
    EXPECT_EQ(WaitOf(&CSeo::GetSogouS), 2001ms);
    EXPECT_EQ(WaitOf(&CSeo::GetSogouD), 0ms) << "its own gap passed during the other's wait";
    EXPECT_EQ(WaitOf(&CSeo::GetSogouD), 2001ms);

    Set("baiduse", "9");
    EXPECT_EQ(WaitOf(&CSeo::GetbaiduS1), 0ms);
    EXPECT_EQ(WaitOf(&CSeo::GetbaiduS1), 0ms);
    EXPECT_EQ(WaitOf(&CSeo::GetYahooS), 0ms);
}

TEST_F(SiteThrottleTest, TheGapComesFromTheProgramsSettingsOnly) {
    mReg::CreateConfigKey(platform::Hive::CurrentUser, mReg::LegacyConfigKey);
    mReg::SetConfigValue(platform::Hive::CurrentUser, mReg::LegacyConfigKey,
                         QStringLiteral("baiduse"), QStringLiteral("5"));
    EXPECT_EQ(WaitOf(&CSeo::GetBaiduS), 0ms);
    EXPECT_EQ(WaitOf(&CSeo::GetBaiduS), 0ms) << "the blocking dialog's gap is not this one";
    Set("baiduse", "x");
    EXPECT_EQ(WaitOf(&CSeo::GetBaiduS), 0ms);
}

}  // namespace
