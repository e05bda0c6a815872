#include "metrics/requery.h"

#include <gtest/gtest.h>

#include "fixture_pages.h"
#include "support/fake_clock.h"
#include "support/qt_printers.h"
#include "test_host.h"

namespace {

using metrics::Pane;
using metrics::PaneOption;
using namespace metrics_testing;

class RequeryTest : public ::testing::Test {
  protected:
    RequeryTest() {
        web.Serve(kShareHost, QStringLiteral("/index/lookup"), QStringLiteral("35-120"));
        web.Serve(kBaiduHost, QStringLiteral("/s"), ResultsPage(QStringLiteral("约1,234")),
                  QStringLiteral("gbk"));
        row = window.AddRow(Pane::Regular, QStringLiteral("SEO 优化"));
        for (int cell = 1; cell <= 4; ++cell)
            window.ListView1.SetCell(row, cell, QStringLiteral("old"));
        window.ListView17.SetCell(1, 1, QStringLiteral("old"));
        window.selectedRow = row;
    }

    testing_support::FakeClock clock;
    fakeweb::FakeWeb web;
    TestMiningWindow window;
    int row = 0;
};

TEST_F(RequeryTest, RefetchesTheSelectedRowWithoutGapOrBlockingCheckAndLeavesTheMasterCopy) {
    window.interval = QStringLiteral("10");
    window.state.LastBaiduRequest = clock.Now();
    window.reaction = QStringLiteral("0");
    metrics::recha(window);
    EXPECT_EQ(Cells(window.ListView1, row), QStringLiteral("120|35|1234|972.44"));
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
        QString page;
        const char* cells;
    } cases[] = {
        {false, false, "35-120", ResultsPage(QStringLiteral("9")), "-|-|-|0"},
        {true, false, "35-120", ResultsPage(QStringLiteral("9")), "120|35|-|0"},
        {true, true, "00-0", ResultsPage(QStringLiteral("9")), "0|0|9|0"},
        {true, true, "35-120", kNoResultsPage, "120|35|0|0"},
        {true, true, "35-120", kBlockingPage, "120|35|-|0"},  // blocked: not obtained
        {true, true, "35-120", QString(), "120|35|-|0"},      // nothing came: not obtained
    };
    for (const auto& c : cases) {
        web.Serve(kShareHost, QStringLiteral("/index/lookup"), QString::fromUtf8(c.share));
        web.Serve(kBaiduHost, QStringLiteral("/s"), c.page, QStringLiteral("gbk"));
        window.SetTicked(Pane::Regular, PaneOption::Volume, c.volume);
        window.SetTicked(Pane::Regular, PaneOption::Count, c.count);
        metrics::recha(window);
        EXPECT_EQ(Cells(window.ListView1, row), QString::fromUtf8(c.cells)) << c.cells;
    }
}

TEST_F(RequeryTest, AnEmptyServiceAnswerFallsBackByTheWindowsFailureCount) {
    web.Serve(kShareHost, QStringLiteral("/index/lookup"), QString());
    web.Serve(kIndexHost, QStringLiteral("/main/get_province_data.php"),
              QStringLiteral("data=\"1000\""));
    window.state.IndexFailCount = 2;
    window.SetTicked(Pane::Regular, PaneOption::Count, false);
    metrics::recha(window);
    const QString cells = Cells(window.ListView1, row);
    EXPECT_TRUE(cells.startsWith(QStringLiteral("1000|"))) << cells.toStdString();
    EXPECT_EQ(window.state.IndexFailCount, 2);
}

TEST_F(RequeryTest, ValuesStayOnTheRowThatShowedThePlaceholders) {
    web.Serve(kBaiduHost, QStringLiteral("/s"),
              fakeweb::Page::Text(ResultsPage(QStringLiteral("9")), QStringLiteral("gbk"))
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

TEST(IndexQueryRequeryTest, CountsGoogleResultsToo) {
    testing_support::FakeClock clock;
    fakeweb::FakeWeb web;
    web.Serve(kShareHost, QStringLiteral("/index/lookup"), QStringLiteral("35-120"));
    web.Serve(kBaiduHost, QStringLiteral("/s"), ResultsPage(QStringLiteral("400")),
              QStringLiteral("gbk"));
    web.Serve(QStringLiteral("www.google.com.hk"), QStringLiteral("/search"),
              QStringLiteral("找到约 <b>1,200,000</b> 条结果"));
    const std::unique_ptr<TestWindow> tools = TestWindow::Tools();
    // The index query list has the cells of the manual pane's lists.
    platform::RowTable list;
    list.SetColumns(kManualColumns.Headers());
    const int row = list.Add(QStringLiteral("Seo")).Index();

    metrics::Requery(*tools, &list, kManualColumns, row, true, true);
    EXPECT_EQ(Cells(list, row, 6), QStringLiteral("120|35|400|1200000|3000|1"));
    EXPECT_EQ(web.Requests().back().Url(),
              QStringLiteral("http://www.google.com.hk/search?hl=zh-CN&q=seo"));

    // Google's refusal page is no count: not obtained, rather than none found.
    web.Serve(QStringLiteral("www.google.com.hk"), QStringLiteral("/search"),
              fakeweb::Page::Text(QStringLiteral("<p>unusual traffic</p>")).Status(429));
    metrics::Requery(*tools, &list, kManualColumns, row, true, true);
    EXPECT_EQ(Cells(list, row, 6), QStringLiteral("120|35|400|-|3000|0"));
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
