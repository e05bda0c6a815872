#include "metrics/index_lookups.h"

#include <gtest/gtest.h>

#include "fixture_pages.h"
#include "metrics/share_service.h"
#include "shared/cxhtml.h"
#include "support/list_ends.h"
#include "support/test_environment.h"
#include "test_host.h"

namespace {

using namespace metrics_testing;

// The volume chain on a fresh fetcher, as each row does it.
QString LookUp(metrics::WindowContext& window, const QString& shareKeyword,
               const QString& lookupKeyword) {
    CXHtml fetcher;
    return metrics::LookUpVolume(window, fetcher, shareKeyword, lookupKeyword);
}

class IndexLookupsTest : public testing_support::TestEnvironment {
  protected:
    // The index knows every keyword unless a test says otherwise.
    void SetUp() override {
        web.Serve(kIndexHost, QStringLiteral("/main/word.php"),
                  Fixture(QStringLiteral("index_word_known.htm")));
    }

    void ServeThirtyDays(const QString& page) {
        web.Serve(kIndexHost, QStringLiteral("/tools/get_data.php"), Fixture(page));
    }
    void ServeHistory(const QString& page) {
        web.Serve(kHistoryHost, QStringLiteral("/history"), Fixture(page));
    }

    const std::unique_ptr<TestWindow> toolsWindow = TestWindow::Tools();
    TestWindow& tools = *toolsWindow;
};

TEST_F(IndexLookupsTest, ThirtyDayPageGivesPointThirtyAndTheSumOverThirtyAndReportsIt) {
    const struct {
        const char* page;
        const char* pair;
    } cases[] = {
        {"thirty_day_sum45.xml", "1-2"},       // 45 / 30 = 1.5: even neighbour 2
        {"thirty_day_sum75.xml", "3-2"},       // 75 / 30 = 2.5: even neighbour 2
        {"thirty_day_zeros.xml", "0-0"},       // reported all the same
        {"thirty_day_31_points.xml", "7-13"},  // point 30 is the latest; 31 summed
        {"thirty_day_5_points.xml", "-5"},     // no point 30: no latest value
    };
    for (const auto& c : cases) {
        web.ClearRequests();
        ServeThirtyDays(QString::fromUtf8(c.page));
        EXPECT_EQ(metrics::GetIndex(tools, QStringLiteral(" 减肥 ")), QString::fromUtf8(c.pair));
        EXPECT_EQ(RequestedUrls(web),
                  QStringList({ThirtyDayUrl(QStringLiteral("减肥")),
                               ReportUrl(QString::fromUtf8(c.pair), QStringLiteral(" 减肥 "),
                                         QStringLiteral(" 减肥 "))}));
    }
}

TEST_F(IndexLookupsTest, FewerThanTwoPointsHandOverToTheHistoryWhichReportsItsOwnPair) {
    ServeThirtyDays(QStringLiteral("thirty_day_one_point.xml"));
    // Ten days of 1000, then 3s; the newest day is empty and keeps its place in the window, the
    // one before it is no number and is left out.
    ServeHistory(QStringLiteral("history_40_days.htm"));

    EXPECT_EQ(metrics::GetIndex(tools, QStringLiteral("SEO优化")), QStringLiteral("35-3"));
    EXPECT_EQ(
        RequestedUrls(web),
        QStringList({ThirtyDayUrl(QStringLiteral("SEO优化")), WordUrl(QStringLiteral("seo优化")),
                     HistoryUrl(QStringLiteral("seo优化")),
                     ReportUrl(QStringLiteral("35-3"), QStringLiteral("seo优化"),
                               QStringLiteral("seo优化"))}));
}

TEST_F(IndexLookupsTest, HistoryAveragesOverThirtyOrSevenDaysWhateverCameAndModeOneReportsThePair) {
    ServeHistory(QStringLiteral("history_2_days.htm"));  // 14, 7; latest 9
    EXPECT_EQ(metrics::GetBaiduIndex(tools, QStringLiteral("词"), 0), QStringLiteral("9-1"));
    web.ClearRequests();
    EXPECT_EQ(metrics::GetBaiduIndex(tools, QStringLiteral("词"), 1), QStringLiteral("3"));
    EXPECT_EQ(testing_support::LastOf(RequestedUrls(web)),
              ReportUrl(QStringLiteral("9-3"), QStringLiteral("词"), QStringLiteral("词")));

    ServeHistory(QStringLiteral("history_no_latest.htm"));  // 0; no latest
    web.ClearRequests();
    EXPECT_EQ(metrics::GetBaiduIndex(tools, QStringLiteral("词"), 0), QStringLiteral("0-0"));
    EXPECT_EQ(RequestedUrls(web).size(), 2) << "a 0-0 from the history is not reported";

    ServeHistory(QStringLiteral("history_unreadable_latest.htm"));  // 4; latest "n/a"
    web.ClearRequests();
    EXPECT_EQ(metrics::GetBaiduIndex(tools, QStringLiteral("词"), 0), QString());
    EXPECT_EQ(RequestedUrls(web).size(), 2) << "an unreadable latest value is no value to report";
    web.ClearRequests();
    EXPECT_EQ(metrics::GetBaiduIndex(tools, QStringLiteral("词"), 1), QStringLiteral("1"))
        << "the 7-day average needs no latest value";
    EXPECT_EQ(RequestedUrls(web).size(), 2);
}

// Each window's edges carry their own figure, so that leaving out its oldest or newest day, or
// taking the day before it, changes the average: of 40 days, 1 day ago 70, 7 days ago 7, 8 days
// ago 700, 30 days ago 303, 31 days ago 30000, the others 0; latest 5.
TEST_F(IndexLookupsTest, HistoryWindowsTakeTheirOldestAndNewestDaysAndNothingBefore) {
    // The 7-day window: (70 + 7) / 7 = 11; the 30-day window: (70 + 7 + 700 + 303) / 30 = 36.
    ServeHistory(QStringLiteral("history_window_edges.htm"));
    EXPECT_EQ(metrics::GetBaiduIndex(tools, QStringLiteral("词"), 0), QStringLiteral("5-36"));
    EXPECT_EQ(metrics::GetBaiduIndex(tools, QStringLiteral("词"), 1), QStringLiteral("11"));
}

TEST_F(IndexLookupsTest, AKeywordTheIndexDoesNotKnowGivesNoDataReportedThroughACharsetSniff) {
    web.Serve(kIndexHost, QStringLiteral("/main/word.php"),
              Fixture(QStringLiteral("index_word_unknown.htm")));
    ServeThirtyDays(QStringLiteral("thirty_day_no_points.xml"));

    EXPECT_EQ(metrics::GetIndex(tools, QStringLiteral("Rare词")), QStringLiteral("0-0"));
    const QString report =
        ReportUrl(QStringLiteral("0-0"), QStringLiteral("rare词"), QStringLiteral("rare词"));
    EXPECT_EQ(RequestedUrls(web), QStringList({ThirtyDayUrl(QStringLiteral("Rare词")),
                                               WordUrl(QStringLiteral("rare词")), report, report}));
    EXPECT_EQ(tools.state.IndexFailCount, 0);
}

TEST_F(IndexLookupsTest, EmptyHistoryPagesAreNoValueAndFromTheSecondTheEstimateAnswers) {
    ServeThirtyDays(QStringLiteral("thirty_day_no_points.xml"));
    web.Serve(kIndexHost, QStringLiteral("/main/get_province_data.php"),
              Fixture(QStringLiteral("province_data.htm")));  // a sum of 50
    EXPECT_EQ(LookUp(tools, QStringLiteral("词"), QStringLiteral("词")), QString());
    EXPECT_EQ(tools.state.IndexFailCount, 1);
    EXPECT_EQ(LookUp(tools, QStringLiteral("词"), QStringLiteral("词")), QString());
    EXPECT_EQ(tools.state.IndexFailCount, 2);
    for (const QString& url : RequestedUrls(web))
        EXPECT_FALSE(url.contains(QStringLiteral("/index/report"))) << url.toStdString();

    web.ClearRequests();
    const QString estimate = LookUp(tools, QStringLiteral("词"), QStringLiteral(" 词 "));
    EXPECT_TRUE(estimate.endsWith(QStringLiteral("-105"))) << estimate.toStdString();
    ASSERT_EQ(web.Requests().size(), 3u);  // the lookup (with its charset sniff), the estimate
    EXPECT_TRUE(web.Requests()[2].path.startsWith(QStringLiteral("/main/get_province_data.php")));

    // The database window keeps no count and always takes the 30-day lookup.
    const std::unique_ptr<TestWindow> database = TestWindow::Database();
    for (int lookup = 1; lookup <= 3; ++lookup) {
        web.ClearRequests();
        LookUp(*database, QStringLiteral("词"), QStringLiteral("词"));
        EXPECT_FALSE(database->state.IndexFailCount) << lookup;
        ASSERT_GE(web.Requests().size(), 3u) << lookup;
        EXPECT_EQ(web.Requests()[2].Url(), ThirtyDayUrl(QStringLiteral("词"))) << lookup;
    }
}

// An answer with an error status is no page, whatever its body holds: the service's value is
// not taken, the 30-day points are not read, the word page's text does not make the keyword
// unknown, and the history's error page is no value and counts toward the estimate.
TEST_F(IndexLookupsTest, ErrorAnswersAreNoValueAndHistoryErrorsCountTowardTheEstimate) {
    const auto error = [](const char* page, int status) {
        return Fixture(QString::fromUtf8(page)).Status(status);
    };
    web.Serve(kShareHost, QStringLiteral("/index/lookup"), error("share_value.txt", 500));
    web.Serve(kIndexHost, QStringLiteral("/tools/get_data.php"), error("thirty_day_3.xml", 503));
    web.Serve(kIndexHost, QStringLiteral("/main/word.php"), error("index_word_not_found.htm", 404));
    web.Serve(kHistoryHost, QStringLiteral("/history"), error("history_bad_gateway.htm", 502));
    web.Serve(kIndexHost, QStringLiteral("/main/get_province_data.php"),
              error("province_data.htm", 500));

    EXPECT_EQ(LookUp(tools, QStringLiteral("词"), QStringLiteral("词")), QString());
    EXPECT_EQ(tools.state.IndexFailCount, 1);
    const QString lookup = LookupUrl(QStringLiteral("词"));
    EXPECT_EQ(RequestedUrls(web),
              QStringList({lookup, lookup, ThirtyDayUrl(QStringLiteral("词")),
                           WordUrl(QStringLiteral("词")), HistoryUrl(QStringLiteral("词"))}));
    EXPECT_EQ(LookUp(tools, QStringLiteral("词"), QStringLiteral("词")), QString());
    EXPECT_EQ(tools.state.IndexFailCount, 2);

    web.ClearRequests();
    EXPECT_EQ(LookUp(tools, QStringLiteral("词"), QStringLiteral("词")), QString())
        << "the province page's error answer is no estimate";
    EXPECT_TRUE(testing_support::LastOf(RequestedUrls(web))
                    .contains(QStringLiteral("/main/get_province_data.php")));
}

// A page that answers with success but is not the service's (a verification page) is no value
// either: neither the history's nor the estimate's page gives a 0, and the history's counts
// toward the estimate as an error answer does.
TEST_F(IndexLookupsTest, PagesThatAreNotTheServicesAnswerAreNoValue) {
    const fakeweb::Page verification =
        fakeweb::Page::Text(QStringLiteral("<html><p>请输入验证码</p></html>"));
    web.Serve(kShareHost, QStringLiteral("/index/lookup"), verification);
    web.Serve(kIndexHost, QStringLiteral("/tools/get_data.php"), verification);
    web.Serve(kIndexHost, QStringLiteral("/main/word.php"), verification);
    web.Serve(kHistoryHost, QStringLiteral("/history"), verification);
    web.Serve(kIndexHost, QStringLiteral("/main/get_province_data.php"), verification);

    EXPECT_EQ(LookUp(tools, QStringLiteral("词"), QStringLiteral("词")), QString());
    EXPECT_EQ(tools.state.IndexFailCount, 1);
    EXPECT_EQ(metrics::GetBaiduIndex(tools, QStringLiteral("词"), 1), QString()) << "7-day";
    EXPECT_EQ(tools.state.IndexFailCount, 2);
    web.ClearRequests();
    EXPECT_EQ(LookUp(tools, QStringLiteral("词"), QStringLiteral("词")), QString())
        << "the estimate";
    EXPECT_TRUE(testing_support::LastOf(RequestedUrls(web))
                    .contains(QStringLiteral("/main/get_province_data.php")));
    for (const fakeweb::Request& request : web.Requests())
        EXPECT_FALSE(request.path.startsWith(QStringLiteral("/index/report")));
}

TEST_F(IndexLookupsTest, TheServiceAnswersFirstAndOnlyWithAnIndexValue) {
    web.Serve(kShareHost, QStringLiteral("/index/lookup"),
              Fixture(QStringLiteral("share_value.txt")));
    EXPECT_EQ(LookUp(tools, QStringLiteral("a&b=c #d+e"), QStringLiteral("x")),
              QStringLiteral("35-120"));
    const QString lookup =
        QStringLiteral("http://share.tarnwick.com/index/lookup?kw=a%26b%3Dc%20%23d%2Be");
    EXPECT_EQ(RequestedUrls(web), QStringList({lookup, lookup}));

    // An error page is no index value: the index lookups answer instead.
    web.Serve(kShareHost, QStringLiteral("/index/lookup"),
              Fixture(QStringLiteral("share_bad_gateway.htm")));
    ServeThirtyDays(QStringLiteral("thirty_day_3.xml"));
    web.ClearRequests();
    EXPECT_EQ(LookUp(tools, QStringLiteral("词"), QStringLiteral(" 词 ")), QStringLiteral("3-3"));
    EXPECT_EQ(RequestedUrls(web).value(2), ThirtyDayUrl(QStringLiteral("词")));

    // The form the lookups report for a short history, the average without a latest value.
    web.Serve(kShareHost, QStringLiteral("/index/lookup"),
              Fixture(QStringLiteral("share_short_history.txt")));
    web.ClearRequests();
    EXPECT_EQ(LookUp(tools, QStringLiteral("词"), QStringLiteral("词")), QStringLiteral("-1500"));
    EXPECT_EQ(RequestedUrls(web).size(), 2) << "no lookup of its own";
}

TEST_F(IndexLookupsTest, HistoryModeListsOneDatedRowPerValueNewestFirst) {
    clock.Set(QDateTime(QDate(2026, 3, 2), QTime(9, 0)));
    ServeHistory(QStringLiteral("history_365_days.htm"));  // 1 to 365; latest 365

    EXPECT_EQ(metrics::GetBaiduIndex(tools, QStringLiteral("词"), 3), QString());
    ASSERT_EQ(tools.history.Count(), 365);
    EXPECT_EQ(tools.history.Text(1), QStringLiteral("2026-03-01"));
    EXPECT_EQ(tools.history.Cell(1, 1), QStringLiteral("365"));
    EXPECT_EQ(tools.history.Text(365), QStringLiteral("2025-03-02"));
    EXPECT_EQ(tools.history.Cell(365, 1), QStringLiteral("1"));

    // The mining window lays it across 100 dated columns of one row.
    TestMiningWindow mining;
    metrics::GetBaiduIndex(mining, QStringLiteral("词"), 2);
    ASSERT_EQ(mining.history.Count(), 1);
    EXPECT_EQ(mining.history.ColumnCount(), 100);
    EXPECT_EQ(mining.history.ColumnText(1), QStringLiteral("2026-03-01"));
    EXPECT_EQ(mining.history.Text(1), QStringLiteral("365"));
    EXPECT_EQ(mining.history.Cell(1, 1), QStringLiteral("364"));
    EXPECT_EQ(mining.history.Cell(1, 99), QStringLiteral("266"));
    EXPECT_EQ(RequestedUrls(web).filter(QStringLiteral("report")).size(), 0);
}

// The window whose report parent a case asks for.
enum class Window { Mining, Tools, Database };

TEST(ReportParentTest, TheMiningWindowsSwitchesChooseBetweenSeedAndKeyword) {
    using metrics::ReportSource;
    const QString kw = QStringLiteral("kw");
    const struct {
        Window window;
        ReportSource source;
        int pageTab;
        int tipTab;
        const char* parent;
    } cases[] = {
        {Window::Mining, ReportSource::ThirtyDayData, 0, 0, "Seed"},
        {Window::Mining, ReportSource::ThirtyDayData, 1, 0, "kw"},
        {Window::Mining, ReportSource::History, 0, 4, "seed"},
        {Window::Mining, ReportSource::History, 1, 0, "kw"},
        {Window::Mining, ReportSource::History, 4, 0, "kw"},
        {Window::Mining, ReportSource::UnknownKeyword, 2, 4, "kw"},
        {Window::Mining, ReportSource::UnknownKeyword, 4, 0, "seed"},
        {Window::Tools, ReportSource::History, 0, 0, "kw"},
        {Window::Database, ReportSource::UnknownKeyword, 0, 0, "kw"},
    };
    for (const auto& c : cases) {
        const QString seed = QStringLiteral("  Seed ");
        const QString parent =
            c.window == Window::Mining
                ? metrics::MiningReportParent(seed, c.pageTab, c.tipTab, c.source, kw)
                : (c.window == Window::Tools ? TestWindow::Tools() : TestWindow::Database())
                      ->ReportParent(c.source, kw);
        EXPECT_EQ(parent, QString::fromUtf8(c.parent))
            << int(c.window) << " " << int(c.source) << " " << c.pageTab << " " << c.tipTab;
    }
}

}  // namespace
