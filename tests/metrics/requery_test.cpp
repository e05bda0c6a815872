#include "metrics/requery.h"

#include <gtest/gtest.h>

#include "fixture_pages.h"
#include "support/list_ends.h"
#include "support/test_environment.h"
#include "test_host.h"

namespace {

using metrics::Pane;
using metrics::PaneOption;
using namespace metrics_testing;

class RequeryTest : public testing_support::TestEnvironment {
  protected:
    RequeryTest() {
        web.Serve(kShareHost, QStringLiteral("/index/lookup"), QStringLiteral("35-120"));
        web.Serve(kBaiduHost, QStringLiteral("/s"), Fixture(QStringLiteral("baidu_results.htm")));
        row = window.AddRow(Pane::Regular, QStringLiteral("SEO 优化"));
        for (int cell = 1; cell <= 4; ++cell)
            window.ListView1.SetCell(row, cell, QStringLiteral("old"));
        window.ListView17.SetCell(1, 1, QStringLiteral("old"));
        window.selectedRow = row;
    }

    TestMiningWindow window;
    int row = 0;
};

TEST_F(RequeryTest, RefetchesTheSelectedRowWithoutGapOrBlockingCheckAndLeavesTheMasterCopy) {
    window.interval = QStringLiteral("10");
    window.state.LastBaiduRequest = clock.Now();
    window.reaction = QStringLiteral("0");
    metrics::recha(window);
    EXPECT_EQ(Cells(window.ListView1, row), QStringLiteral("120|35|1230|975.6"));
    const QString lookup = LookupUrl(QStringLiteral("seo 优化"));
    EXPECT_EQ(RequestedUrls(web),
              QStringList({lookup, lookup, SearchUrl(QStringLiteral("seo 优化"))}));
    EXPECT_EQ(clock.Waited(), std::chrono::milliseconds(0));
    EXPECT_EQ(window.ListView17.Cell(1, 1), QStringLiteral("old"));
}

TEST_F(RequeryTest, OptionsAndPagesDecideEachCell) {
    const struct {
        bool volume;
        bool count;
        const char* share;
        const char* page;
        const char* cells;
    } cases[] = {
        {false, false, "35-120", "baidu_results_plain_count.htm", "-|-|-|0"},
        {true, false, "35-120", "baidu_results_plain_count.htm", "120|35|-|0"},
        {true, true, "00-0", "baidu_results_plain_count.htm", "0|0|9|0"},
        {true, true, "35-120", "baidu_no_results.htm", "120|35|0|0"},
        {true, true, "35-120", "baidu_blocked.htm", "120|35|-|0"},  // blocked: not obtained
        {true, true, "35-120", nullptr, "120|35|-|0"},              // nothing came: not obtained
    };
    for (const auto& c : cases) {
        web.Serve(kShareHost, QStringLiteral("/index/lookup"), QString::fromUtf8(c.share));
        web.Serve(kBaiduHost, QStringLiteral("/s"),
                  c.page ? Fixture(QString::fromUtf8(c.page)) : fakeweb::Page::Text(QString()));
        window.SetTicked(Pane::Regular, PaneOption::Volume, c.volume);
        window.SetTicked(Pane::Regular, PaneOption::Count, c.count);
        metrics::recha(window);
        EXPECT_EQ(Cells(window.ListView1, row), QString::fromUtf8(c.cells)) << c.cells;
    }
}

TEST_F(RequeryTest, AnEmptyServiceAnswerFallsBackByTheWindowsFailureCount) {
    web.Serve(kShareHost, QStringLiteral("/index/lookup"), QString());
    web.Serve(kIndexHost, QStringLiteral("/main/get_province_data.php"),
              Fixture(QStringLiteral("province_1000.htm")));
    window.state.IndexFailCount = 2;
    window.SetTicked(Pane::Regular, PaneOption::Count, false);
    metrics::recha(window);
    const QString cells = Cells(window.ListView1, row);
    EXPECT_TRUE(cells.startsWith(QStringLiteral("1000|"))) << cells.toStdString();
    EXPECT_EQ(window.state.IndexFailCount, 2);
}

TEST_F(RequeryTest, ValuesStayOnTheRowThatShowedThePlaceholders) {
    web.Serve(kBaiduHost, QStringLiteral("/s"),
              Fixture(QStringLiteral("baidu_results_plain_count.htm"))
                  .After(std::chrono::milliseconds(50)));
    const int other = window.AddRow(Pane::Regular, QStringLiteral("别的"));
    // While the page is on its way the user selects another row.
    QObject context;
    QObject::connect(&window.ListView1, &platform::RowTable::dataChanged, &context, [&] {
        if (window.ListView1.Cell(row, 2) == QStringLiteral("35")) window.selectedRow = other;
    });
    metrics::recha(window);
    EXPECT_EQ(window.selectedRow, other);
    EXPECT_EQ(Cells(window.ListView1, row), QStringLiteral("120|35|9|133333.33"));
    EXPECT_EQ(Cells(window.ListView1, other), QStringLiteral("|||"));
}

using IndexQueryRequeryTest = testing_support::TestEnvironment;

TEST_F(IndexQueryRequeryTest, CountsGoogleResultsToo) {
    web.Serve(kShareHost, QStringLiteral("/index/lookup"), QStringLiteral("35-120"));
    web.Serve(kBaiduHost, QStringLiteral("/s"), ResultsPage(QStringLiteral("400")),
              QStringLiteral("gbk"));
    web.Serve(QStringLiteral("www.google.com.hk"), QStringLiteral("/search"),
              Fixture(QStringLiteral("google_results.htm")));  // 1,200,000 results
    const std::unique_ptr<TestWindow> tools = TestWindow::Tools();
    // The index query list has the cells of the manual pane's lists.
    platform::RowTable list;
    list.SetColumns(kManualColumns.Headers());
    const int row = list.Add(QStringLiteral("Seo")).Index();

    metrics::Requery(*tools, &list, kManualColumns, row, true, true);
    EXPECT_EQ(Cells(list, row, 6), QStringLiteral("120|35|400|1200000|3000|1"));
    EXPECT_EQ(testing_support::LastOf(web.Requests()).Url(),
              QStringLiteral("http://www.google.com.hk/search?hl=zh-CN&q=seo"));

    // Google's refusal page is no count: not obtained, rather than none found.
    web.Serve(QStringLiteral("www.google.com.hk"), QStringLiteral("/search"),
              Fixture(QStringLiteral("google_refusal.htm")).Status(429));
    metrics::Requery(*tools, &list, kManualColumns, row, true, true);
    EXPECT_EQ(Cells(list, row, 6), QStringLiteral("120|35|400|-|3000|0"));
}

// Every source answers with success but none with its own page: no figure was obtained, not
// even once the window has turned to the estimate.
TEST_F(IndexQueryRequeryTest, PagesThatAreNotTheSourcesAnswerGiveNoFigures) {
    const fakeweb::Page verification =
        fakeweb::Page::Text(QStringLiteral("<html><p>请输入验证码</p></html>"));
    for (const auto& [host, path] : std::initializer_list<std::pair<QString, QString>>{
             {kShareHost, QStringLiteral("/index/lookup")},
             {kIndexHost, QStringLiteral("/tools/get_data.php")},
             {kIndexHost, QStringLiteral("/main/word.php")},
             {kIndexHost, QStringLiteral("/main/get_province_data.php")},
             {kHistoryHost, QStringLiteral("/history")},
             {kBaiduHost, QStringLiteral("/s")},
             {QStringLiteral("www.google.com.hk"), QStringLiteral("/search")}})
        web.Serve(host, path, verification);
    const std::unique_ptr<TestWindow> tools = TestWindow::Tools();
    platform::RowTable list;
    list.SetColumns(kManualColumns.Headers());
    const int row = list.Add(QStringLiteral("Seo")).Index();

    for (int time = 1; time <= 3; ++time) {
        metrics::Requery(*tools, &list, kManualColumns, row, true, true);
        EXPECT_EQ(Cells(list, row, 6), QStringLiteral("-|-|-|-|0|0")) << time;
    }
    EXPECT_EQ(tools->state.IndexFailCount, 2) << "the third asked the estimate";
}

TEST(GettmpindexTest, TheFirstMatchingRowGivesMonthThenDay) {
    platform::RowTable list;
    list.Add(QStringLiteral("a")).SetSubItem(1, QStringLiteral("-"));
    list.SetCell(1, 2, QStringLiteral("-"));
    list.Add(QStringLiteral("b")).SetSubItem(1, QStringLiteral("120"));
    list.SetCell(2, 2, QStringLiteral("35"));
    list.Add(QStringLiteral("b")).SetSubItem(1, QStringLiteral("9"));
    EXPECT_EQ(metrics::Gettmpindex(list, kResultColumns, QStringLiteral("b")),
              QStringLiteral("120-35"));
    EXPECT_EQ(metrics::Gettmpindex(list, kResultColumns, QStringLiteral("a")), QString());
    EXPECT_EQ(metrics::Gettmpindex(list, kResultColumns, QStringLiteral("B")), QString());
}

}  // namespace
