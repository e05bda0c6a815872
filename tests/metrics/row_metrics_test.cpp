#include "metrics/row_metrics.h"

#include <gtest/gtest.h>

#include "fixture_pages.h"
#include "shared/shared_connection.h"
#include "support/test_environment.h"
#include "test_host.h"

namespace {

using metrics::Pane;
using metrics::PaneOption;
using namespace metrics_testing;
using std::chrono::milliseconds;

const QString kToday = QStringLiteral("2026-12-10");

class RowMetricsTest : public testing_support::TestEnvironment {
  protected:
    RowMetricsTest() {
        window.seed = QStringLiteral(" 减肥 ");
        web.Serve(kShareHost, QStringLiteral("/index/lookup"), QStringLiteral("35-120"));
        web.Serve(kBaiduHost, QStringLiteral("/s"), Fixture(QStringLiteral("baidu_results.htm")));
    }

    // The mining run's step: append the row, then have its metrics filled; the row's cells
    // 1 to `last` afterwards.
    QString Mine(const QString& keyword, Pane pane = Pane::Regular, int last = 4) {
        platform::RowTable& list = *window.ResultList(pane);
        const quint64 row = list.Key(window.AddRow(pane, keyword));
        metrics::FillRowMetrics(window, pane, keyword,
                                {metrics::RowHandle(&list, list.IndexOfKey(row)),
                                 metrics::LastRow(window.SecondList(pane))});
        return Cells(list, list.IndexOfKey(row), last);
    }
    void Untick(std::initializer_list<PaneOption> options, Pane pane = Pane::Regular) {
        for (const PaneOption option : options) window.SetTicked(pane, option, false);
    }

    TestMiningWindow window;
};

TEST_F(RowMetricsTest, FillsVolumeCountAndIndexIntoBothListsAndSavesTheRow) {
    EXPECT_EQ(Mine(QStringLiteral("减肥茶")), QStringLiteral("120|35|1230|975.6"));
    EXPECT_EQ(Cells(window.ListView17, 1), QStringLiteral("120|35|1230|975.6"));
    const QString lookup = LookupUrl(QStringLiteral("减肥茶"));
    EXPECT_EQ(RequestedUrls(web),
              QStringList({lookup, lookup, SearchUrl(QStringLiteral("减肥茶"))}));
    EXPECT_EQ(db.Rows(), QStringList{QStringLiteral("减肥茶|减肥|120|35|1230|2026-12-10")});
}

TEST_F(RowMetricsTest, OptionBoxesDecideWhatIsQueriedAndSaved) {
    Untick({PaneOption::Volume, PaneOption::Count, PaneOption::Save});
    EXPECT_EQ(Mine(QStringLiteral("a")), QStringLiteral("-|-|-|0"));
    EXPECT_TRUE(web.Requests().empty());
    EXPECT_TRUE(db.Rows().isEmpty());

    window.SetTicked(Pane::Regular, PaneOption::Save, true);
    EXPECT_EQ(Mine(QStringLiteral("b")), QStringLiteral("-|-|-|0"));
    EXPECT_EQ(db.Rows(), QStringList{QStringLiteral("b|减肥|-|-|-|2026-12-10")});

    window.SetTicked(Pane::Regular, PaneOption::Volume, true);
    EXPECT_EQ(Mine(QStringLiteral("c")), QStringLiteral("120|35|-|0"));
}

TEST_F(RowMetricsTest, TodaysStoredRowStandsInForTheValuesItHolds) {
    const struct {
        const char* monthrank;
        const char* dayrank;
        const char* baidunum;
        bool volumeTicked;
        const char* cells;
        int requests;
        bool saved;
    } cases[] = {
        {"280", "300", "5000", true, "280|300|5000|560", 0, false},  // complete: no save
        {"280", "300", "5000", false, "-|-|5000|0", 0, false},
        {"900", "1200", "-", true, "900|1200|1230|7317.07", 1, true},
        {"0", "-", "5000", true, "120|35|5000|240", 2, true},
        {"-", "300", "-", true, "-|300|1230|0", 1, true},
    };
    for (const auto& c : cases) {
        SharedConnection().Execute(QStringLiteral("delete from keywords"));
        web.ClearRequests();
        window.SetTicked(Pane::Regular, PaneOption::Volume, c.volumeTicked);
        db.Insert(QStringLiteral("词"), QStringLiteral("p"), QString::fromUtf8(c.monthrank),
                  QString::fromUtf8(c.dayrank), QString::fromUtf8(c.baidunum), kToday);
        const milliseconds waitedBefore = clock.Waited();

        EXPECT_EQ(Mine(QStringLiteral("词")), QString::fromUtf8(c.cells)) << c.cells;
        EXPECT_EQ(web.Requests().size(), size_t(c.requests)) << c.cells;
        ASSERT_EQ(db.Rows().size(), 1);
        EXPECT_EQ(db.Rows()[0].startsWith(QStringLiteral("词|p|280|300|5000")), !c.saved)
            << c.cells;
        if (QString::fromUtf8(c.baidunum) != QStringLiteral("-")) {
            EXPECT_EQ(clock.Waited(), waitedBefore) << "a stored count costs no request gap";
        }
    }
}

TEST_F(RowMetricsTest, WithoutAServiceAnswerTheWindowsLookupRunsOnTheTrimmedKeyword) {
    web.Serve(kShareHost, QStringLiteral("/index/lookup"), QString());
    Untick({PaneOption::Count, PaneOption::Save});
    web.Serve(kIndexHost, QStringLiteral("/tools/get_data.php"),
              Fixture(QStringLiteral("thirty_day_60.xml")));
    window.state.IndexFailCount = 1;
    EXPECT_EQ(Mine(QStringLiteral(" 词 ")), QStringLiteral("60|60|-|0"));
    EXPECT_EQ(RequestedUrls(web).value(2), ThirtyDayUrl(QStringLiteral("词")));

    web.Serve(kIndexHost, QStringLiteral("/main/get_province_data.php"),
              Fixture(QStringLiteral("province_1000.htm")));
    window.state.IndexFailCount = 2;
    web.ClearRequests();
    EXPECT_TRUE(Mine(QStringLiteral(" 词 ")).startsWith(QStringLiteral("1000|")));
    EXPECT_TRUE(RequestedUrls(web).value(2).contains(QStringLiteral("word=%B4%CA&")));
}

TEST_F(RowMetricsTest, ValuesThatCouldNotBeObtainedStayNotObtainedAndAreNotSavedAsFound) {
    web.Serve(kShareHost, QStringLiteral("/index/lookup"), QStringLiteral("<h1>502</h1>"));
    web.Serve(kBaiduHost, QStringLiteral("/s"), Fixture(QStringLiteral("baidu_blocked.htm")));
    // The index lookups bring nothing either: no 30-day points, no history page.
    window.reaction = QStringLiteral("0");
    EXPECT_EQ(Mine(QStringLiteral("词")), QStringLiteral("-|-|-|0"));
    EXPECT_EQ(window.blockingDialogs, 1);
    EXPECT_EQ(db.Rows(), QStringList{QStringLiteral("词|减肥|-|-|-|2026-12-10")});

    // Later the same day the values come: the stored row gets them.
    web.Serve(kShareHost, QStringLiteral("/index/lookup"), QStringLiteral("35-120"));
    web.Serve(kBaiduHost, QStringLiteral("/s"), Fixture(QStringLiteral("baidu_results.htm")));
    EXPECT_EQ(Mine(QStringLiteral("词")), QStringLiteral("120|35|1230|975.6"));
    EXPECT_EQ(db.Rows(), QStringList{QStringLiteral("词|减肥|120|35|1230|2026-12-10")});
}

TEST_F(RowMetricsTest, ANoResultsPageCountsAsNothingFound) {
    web.Serve(kBaiduHost, QStringLiteral("/s"), Fixture(QStringLiteral("baidu_no_results.htm")));
    window.reaction = QStringLiteral("0");
    EXPECT_EQ(Mine(QStringLiteral("词")), QStringLiteral("120|35|0|0"));
    EXPECT_EQ(window.blockingDialogs, 0);
}

TEST_F(RowMetricsTest, TheRowIsTakenAtTheStartSoAChangeDuringAWaitMovesNoValue) {
    // A blocking page that still shows a count: 7.
    web.Serve(kBaiduHost, QStringLiteral("/s"),
              Fixture(QStringLiteral("baidu_blocked_with_count.htm")));
    window.reaction = QStringLiteral("0");
    window.whileBlockingSettingsShow = [this] {
        window.ListView1.Remove(1);  // the user deletes the row being filled
        window.AddRow(Pane::Regular, QStringLiteral("后来的"));
    };
    Mine(QStringLiteral("词"));
    EXPECT_EQ(window.ListView1.Count(), 1);
    EXPECT_EQ(Cells(window.ListView1, 1), QStringLiteral("|||"));
    EXPECT_EQ(Cells(window.ListView17, 1), QStringLiteral("120|35|7|171428.57"));
    EXPECT_EQ(Cells(window.ListView17, 2), QStringLiteral("|||"));
    EXPECT_EQ(db.Rows(), QStringList{QStringLiteral("词|减肥|120|35|7|2026-12-10")});
}

TEST_F(RowMetricsTest, SuccessiveCountRequestsKeepTheWindowsGap) {
    window.interval = QStringLiteral("3");
    Mine(QStringLiteral("a"));
    EXPECT_EQ(clock.Waited(), milliseconds(0));
    Mine(QStringLiteral("b"), Pane::Batch);  // the gap is the window's, across panes
    EXPECT_GE(clock.Waited(), milliseconds(3001));
    EXPECT_LT(clock.Waited(), milliseconds(4000));
}

TEST_F(RowMetricsTest, BatchAndManualPanesUseTheirOwnListsAndSavers) {
    window.batchKeyword = QStringLiteral("批量");
    EXPECT_EQ(Mine(QStringLiteral("a"), Pane::Batch), QStringLiteral("120|35|1230|975.6"));
    EXPECT_EQ(Mine(QStringLiteral("B"), Pane::Manual, 5), QStringLiteral("120|35|1230||975.6"));
    EXPECT_EQ(Cells(window.ListView5, 1, 5), QStringLiteral("120|35|1230||975.6"));
    EXPECT_EQ(window.ListView1.Count(), 0);
    EXPECT_EQ(db.Rows(), QStringList({QStringLiteral("a|批量|120|35|1230|2026-12-10"),
                                      QStringLiteral("b|b|120|35|1230|2026-12-10")}));
}

TEST_F(RowMetricsTest, AnEmptyListGetsNothingWrittenAndNothingSaved) {
    metrics::FillRowMetrics(window, Pane::Regular, QStringLiteral("词"), {});
    EXPECT_EQ(web.Requests().size(), 3u);
    EXPECT_TRUE(db.Rows().isEmpty());
}

}  // namespace
