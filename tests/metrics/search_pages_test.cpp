#include "metrics/search_pages.h"

#include <gtest/gtest.h>

#include "fixture_pages.h"
#include "metrics/optimisation_index.h"
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
        // Neither a count nor Google's word that it found nothing: no count of Google's.
        {"google_refusal.htm", "-"},
        {"", "-"},
    };
    for (const auto& c : cases) {
        const QString page =
            *c.page ? PageText(QString::fromUtf8(c.page), QStringLiteral("utf-8")) : QString();
        EXPECT_EQ(metrics::GoogleCount(page), QString::fromUtf8(c.count)) << c.page;
    }
}

TEST(ResultsPageTest, TextBetweenTheMarkersThatIsNoCountIsNotObtained) {
    const QString result = QStringLiteral("百度一下，找到相关网页");
    const struct {
        QString page;
        const char* baidu;
        const char* google;
    } cases[] = {
        {result + QStringLiteral("约 1,230 篇 约 <b> 1,230 </b>"), "1230", "1230"},
        {result + QStringLiteral("1230个结果<p>x</p><a href=n>下一篇 约 <b>12<i>3</i></b>"), "-",
         "-"},
        {result + QStringLiteral("-5篇 约 <b>-5</b>"), "-", "-"},
        {result + QStringLiteral("1.5e3篇 约 <b>1.5e3</b>"), "-", "-"},
        {result + QStringLiteral(",,篇 约 <b>,</b>"), "-", "-"},
        {result + QString(65, u'9') + QStringLiteral("篇 约 <b>") + QString(65, u'9') +
             QStringLiteral("</b>"),
         "-", "-"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(metrics::BaiduCount(c.page), QString::fromUtf8(c.baidu)) << c.page.toStdString();
        EXPECT_EQ(metrics::GoogleCount(c.page), QString::fromUtf8(c.google))
            << c.page.toStdString();
    }
}

// A page may write a count of nothing with other blanks around it or with separators: it is
// "0" all the same, and the optimisation index of its row is "0", not a division by nothing.
TEST(ResultsPageTest, ACountOfNothingInAnyFormIsZero) {
    const QString result = QStringLiteral("百度一下，找到相关网页");
    for (const QString& zero :
         {QStringLiteral("0"), QStringLiteral("00"), QStringLiteral("0,000"), QStringLiteral("\t0"),
          QStringLiteral("0\u3000"), QStringLiteral("0\u00a0"), QStringLiteral(" 0,000,000 ")}) {
        const QString page =
            result + u'约' + zero + QStringLiteral("篇 约 <b>") + zero + QStringLiteral("</b>");
        const QString baidu = metrics::BaiduCount(page);
        EXPECT_EQ(baidu, QStringLiteral("0")) << zero.toStdString();
        EXPECT_EQ(metrics::GoogleCountAsWritten(page), QStringLiteral("0")) << zero.toStdString();
        EXPECT_EQ(metrics::GoogleCount(page), QStringLiteral("0")) << zero.toStdString();
        EXPECT_EQ(metrics::OptimisationIndex(u"120", baidu), QStringLiteral("0"))
            << zero.toStdString();
    }
}

}  // namespace
