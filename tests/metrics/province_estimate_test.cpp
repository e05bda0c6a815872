#include "metrics/province_estimate.h"

#include <gtest/gtest.h>

#include <QSet>

#include "fixture_pages.h"
#include "support/test_environment.h"

namespace {

using namespace metrics_testing;
using ProvinceEstimateTest = testing_support::TestEnvironment;

TEST_F(ProvinceEstimateTest, TimeRangeRunsFromThePreviousToTheCurrentMonth) {
    const struct {
        QDate today;
        const char* range;
    } cases[] = {
        {QDate(2026, 6, 15), "202605|202606"},
        {QDate(2026, 11, 1), "202610|202611"},
        {QDate(2026, 10, 31), "202609|202610"},
        {QDate(2027, 1, 3), "202612|202701"},
    };
    for (const auto& c : cases) {
        clock.Set(QDateTime(c.today, QTime(23, 59)));
        EXPECT_EQ(metrics::GetMonthstr(), QString::fromUtf8(c.range));
    }
}

TEST_F(ProvinceEstimateTest, SumIsScaledByTheBandThatHoldsIt) {
    const struct {
        qint32 sum;
        qint32 scaled;
    } cases[] = {{0, 0},     {-10, -21}, {50, 105},   {99, 208},    {100, 190},
                 {450, 720}, {550, 770}, {999, 1049}, {1000, 1000}, {5000, 5000}};
    for (const auto& c : cases) EXPECT_EQ(metrics::ScaleProvinceSum(c.sum), c.scaled) << c.sum;
}

TEST_F(ProvinceEstimateTest, RandomEstimateIsOneOfTheTenFactors) {
    const QStringList allowed = {
        QStringLiteral("110"), QStringLiteral("92"),  QStringLiteral("109"),
        QStringLiteral("105"), QStringLiteral("95"),  QStringLiteral("115"),
        QStringLiteral("89"),  QStringLiteral("102"), QStringLiteral("98")};
    QSet<QString> seen;
    for (int i = 0; i < 200; ++i) {
        clock.Advance(std::chrono::milliseconds(7));
        const QString estimate = metrics::GetRand(100);
        EXPECT_TRUE(allowed.contains(estimate)) << estimate.toStdString();
        seen.insert(estimate);
    }
    EXPECT_GE(seen.size(), 8);
    EXPECT_EQ(metrics::GetRand(0), QStringLiteral("0"));
}

TEST_F(ProvinceEstimateTest, ProvinceDataPageGivesTheEstimatedPair) {
    clock.Set(QDateTime(QDate(2026, 6, 15), QTime(9, 0)));
    const QString path = QStringLiteral("/main/get_province_data.php");
    // As real pages do, it holds quoted numbers before the first marker; they are no data. Its
    // province values sum to 50.
    web.Serve(kIndexHost, path, Fixture(QStringLiteral("province_data.htm")));

    const QString pair = metrics::GetMonthIndex(QStringLiteral("SEO优化"));
    EXPECT_TRUE(
        QStringList({QStringLiteral("116-105"), QStringLiteral("97-105"), QStringLiteral("114-105"),
                     QStringLiteral("110-105"), QStringLiteral("100-105"),
                     QStringLiteral("121-105"), QStringLiteral("93-105"), QStringLiteral("107-105"),
                     QStringLiteral("103-105")})
            .contains(pair))
        << pair.toStdString();
    ASSERT_EQ(web.Requests().size(), 1u);
    EXPECT_EQ(web.Requests()[0].Url(),
              QStringLiteral("http://index.baidu.com") + path +
                  QStringLiteral("?type=1&time=202605%7C202606&area=0&word=") +
                  UrlEncodeGbk(QStringLiteral("seo优化")) + QStringLiteral("&index=1"));

    web.Serve(kIndexHost, path, Fixture(QStringLiteral("province_no_data.htm")));
    EXPECT_EQ(metrics::GetMonthIndex(QStringLiteral("词")), QStringLiteral("0-0"));
    web.Serve(kIndexHost, path, fakeweb::Page::Text(QString()).Status(500));
    EXPECT_EQ(metrics::GetMonthIndex(QStringLiteral("词")), QString())
        << "a page that did not come is no value";
}

}  // namespace
