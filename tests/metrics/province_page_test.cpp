#include "metrics/province_page.h"

#include <gtest/gtest.h>

#include "fixture_pages.h"

namespace {

using namespace metrics_testing;

TEST(ProvincePageTest, SumsTheQuotedValuesAfterEachMarkerWithinThirtyTwoBits) {
    const struct {
        const char* page;
        qint32 sum;
    } cases[] = {
        // Quoted numbers before the first marker, empty, unquoted and wordy values: no data.
        {"province_data.htm", 50},
        {"province_no_data.htm", 0},
        {"province_1000.htm", 1000},
        // The addition that would leave the range is left out; the next one counts.
        {"province_past_32_bits.htm", 2147483005},
    };
    for (const auto& c : cases) {
        const QString page = PageText(QString::fromUtf8(c.page), QStringLiteral("utf-8"));
        EXPECT_EQ(metrics::ProvinceSum(page), c.sum) << c.page;
        EXPECT_TRUE(metrics::IsProvincePage(page)) << c.page;
    }
    // A page with neither values nor the service's word that it has none is not its answer.
    EXPECT_FALSE(metrics::IsProvincePage(QStringLiteral("<html><p>请输入验证码</p></html>")));
    EXPECT_FALSE(metrics::IsProvincePage(QString()));
}

}  // namespace
