// A job that adds or changes rows one by one has its list, the list's scroll bars and frame and
// the status bar drawn a bounded number of times, not once per row, the status bar and the
// window around it laid out as seldom, and everything it wrote drawn once it has returned. The
// clock stands still while the loopback web answers, so the bound holds however fast the machine
// is.
#include <QScrollBar>

#include "metrics/fixture_pages.h"
#include "program_fixture.h"
#include "support/event_counter.h"

namespace program_testing {
namespace {

class PaintPacing : public ProgramTest {
  protected:
    PaintPacing() { web.DelayEveryAnswer(std::chrono::milliseconds(0)); }

    void WatchList(platform::ListView* list) {
        counter.Watch(list, "list frame");
        counter.Watch(list->viewport(), "list");
        counter.Watch(list->verticalScrollBar(), "scroll bar");
        counter.Watch(list->horizontalScrollBar(), "scroll bar");
        counter.Watch(main->StatusBar1, "status bar");
        for (int panel = 1; panel <= main->StatusBar1->Count(); ++panel)
            counter.Watch(main->Panel(panel), "status bar");
        layouts.Watch(main->StatusBar1, "status bar");
        layouts.Watch(main.get(), "main window");
        list_ = list;
    }
    // Lets the window draw as it stands before the job starts.
    void Settle() {
        BackInTheEventLoop();
        counter.Reset();
        layouts.Reset();
    }
    // Checks the counts of a job that ran, then that its last state is drawn once the program's
    // own loop runs.
    void ExpectPacedAndDrawnAtTheEnd() {
        for (const char* name : {"list", "list frame", "scroll bar", "status bar"})
            EXPECT_LE(counter.Count(name), kBound) << name << ": " << counter.Report();
        for (const char* name : {"status bar", "main window"})
            EXPECT_LE(layouts.Count(name), kBound) << name << " laid out: " << layouts.Report();
        counter.Reset();
        EXPECT_TRUE(counter.WaitFor("list")) << "the last rows are drawn";
        EXPECT_TRUE(counter.WaitFor("status bar")) << "the last status is drawn";
        EXPECT_TRUE(list_->updatesEnabled());
        EXPECT_TRUE(main->StatusBar1->updatesEnabled());
    }

    // A paint or two where the clock moved on during a pause of the job; a job of dozens of rows
    // painted row by row would pass it many times over.
    static constexpr int kBound = 3;
    testing_support::EventCounter counter{QEvent::Paint};
    testing_support::EventCounter layouts{QEvent::LayoutRequest};
    platform::ListView* list_ = nullptr;
};

TEST_F(PaintPacing, AMiningRunWithMetricsDrawsItsListAndStatusBarAFewTimes) {
    ServeMiningSources();
    关键词挖掘& mining = OpenMining();
    TickRegularMetrics(mining, true);
    mining.Text2->SetText(QStringLiteral("减肥"));
    WatchList(mining.ListView1);
    Settle();

    mining.Command2_Click();

    const platform::RowTable& rows = mining.ListView1->Rows();
    ASSERT_GE(rows.Count(), 20) << "a run of many rows";
    for (int row = 1; row <= rows.Count(); ++row)
        EXPECT_EQ(rows.Cell(row, 2), QStringLiteral("35")) << rows.Text(row).toStdString();
    EXPECT_EQ(main->Panel(1)->text(), QStringLiteral("就绪"));
    ExpectPacedAndDrawnAtTheEnd();
}

TEST_F(PaintPacing, ARefreshOfTheDatabaseListDrawsItAFewTimes) {
    for (int i = 0; i < 40; ++i)
        db.Insert(QStringLiteral("词%1").arg(i), QStringLiteral("词"), "1", "1", "1", "2026-01-01");
    web.Serve(metrics_testing::kShareHost, QStringLiteral("/index/lookup"),
              QStringLiteral("5-100"));
    关键词数据库& database = OpenDatabase();
    database.Check30->SetValue(1);
    database.Check10->SetValue(0);
    WatchList(database.ListView16);
    Settle();

    database.Command44_Click();

    const platform::RowTable& rows = database.ListView16->Rows();
    ASSERT_EQ(rows.Count(), 40);
    for (int row = 1; row <= rows.Count(); ++row) {
        EXPECT_EQ(rows.Cell(row, 2), QStringLiteral("100"));
        EXPECT_FALSE(rows.Bold(row));
    }
    ExpectPacedAndDrawnAtTheEnd();
}

}  // namespace
}  // namespace program_testing
