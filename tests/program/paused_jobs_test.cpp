// A paused job is work in hand wherever it lives: its window stays loaded behind a switch though
// its lists were emptied, and "已暂停" stands while any loaded window holds one.
#include <QPointer>

#include "program_fixture.h"
#include "research_tools/fixture_pages.h"
#include "tools_window/research_panes.h"

namespace program_testing {
namespace {

class PausedJobs;
using Step = void (PausedJobs::*)();

// A window in front holding what a case gives it.
struct Holding {
    const char* name;
    WorkWindowKind kind;
    Step prepare;
    // Empties every list of the window that holds results.
    Step empty;
    // Whether a job of the window is paused.
    bool paused;
};

void PrintTo(const Holding& holding, std::ostream* out) {
    *out << holding.name;
}

class PausedJobs : public ProgramTest, public ::testing::WithParamInterface<Holding> {
  public:
    PausedJobs() {
        ServeMiningSources();
        web.Serve(
            QStringLiteral("top.baidu.com"), QStringLiteral("/buzz/movie.html"),
            fakeweb::Page::Bytes(research_testing::PageBytes(QStringLiteral("hot_movie.htm"))));
    }

    // What a case leaves in its window.
    void FinishedRun() { MinedWindow(); }
    void PausedRun() {
        关键词挖掘& mining = OpenMining();
        TickRegularMetrics(mining, false);
        mining.Text2->SetText(QStringLiteral("减肥"));
        PauseWhenListed(mining.Command2, mining.ListView1);
        mining.Command2_Click();
    }
    void PausedBatch() {
        关键词挖掘& mining = OpenMining();
        for (platform::CheckBox* box : {mining.Check5, mining.Check4, mining.Check3})
            box->SetValue(0);
        mining.Combo1->SetListIndex(0);
        mining.TreeView1->ClickNode(2);
        for (const QString& keyword : {QStringLiteral("减肥"), QStringLiteral("节食")})
            mining.ListView8->Rows().Add(keyword).SetChecked(true);
        PauseWhenListed(mining.Command9, mining.ListView3);
        mining.Command9_Click();
    }
    void PausedComparison() {
        OpenTools().TreeView1->ClickNode(4);
        Panes().Comparison.Text8->SetText(QStringLiteral("甲#乙#丙"));
        InsideNextWait([this] { Panes().Comparison.Command31_Click(); });
        Panes().Comparison.Command31_Click();
    }
    void PausedHotList() {
        OpenTools().TreeView1->ClickNode(5);
        platform::TreeView* tree = Panes().HotKeywords.TreeView2;
        for (int node = 1; node <= tree->NodeCount(); ++node)
            if (tree->NodeText(node) == QStringLiteral("电影")) tree->ClickNode(node);
        InsideNextWait([this] { Panes().HotKeywords.Command29_Click(); });
        Panes().HotKeywords.Command29_Click();
    }

    void EmptyMiningLists() {
        Mining()->Command34_Click();
        Mining()->Command14_Click();
        Mining()->ListView3->Rows().Clear();
    }
    void EmptyResearchLists() {
        Panes().Comparison.Command4_Click();
        Panes().HotKeywords.ListView4->Rows().Clear();
    }

    // A refresh of two stored keywords in the database window, paused in its first wait.
    void PausedRefresh() {
        for (const QString& keyword : {QStringLiteral("旧词一"), QStringLiteral("旧词二")})
            db.Insert(keyword, keyword, "1", "1", "1", QStringLiteral("2026-01-01"));
        关键词数据库& database = OpenDatabase();
        database.Check30->SetValue(1);
        database.Check10->SetValue(0);
        InsideNextWait([this] { Database()->Command44_Click(); });
        database.Command44_Click();
    }

    research::ResearchPanes& Panes() { return Tools()->Research(); }
    QString Status() const { return main->Panel(1)->text(); }

  private:
    // Pauses the run of `button` once its first rows are listed in `list`.
    void PauseWhenListed(platform::CommandButton* button, platform::ListView* list) {
        When([list] { return list->Count() >= 3; }, [button] { button->click(); });
    }
};

const Holding kHoldings[] = {
    {"FinishedRun", WorkWindowKind::Mining, &PausedJobs::FinishedRun, &PausedJobs::EmptyMiningLists,
     false},
    {"PausedRun", WorkWindowKind::Mining, &PausedJobs::PausedRun, &PausedJobs::EmptyMiningLists,
     true},
    {"PausedBatch", WorkWindowKind::Mining, &PausedJobs::PausedBatch, &PausedJobs::EmptyMiningLists,
     true},
    {"PausedComparison", WorkWindowKind::Tools, &PausedJobs::PausedComparison,
     &PausedJobs::EmptyResearchLists, true},
    {"PausedHotList", WorkWindowKind::Tools, &PausedJobs::PausedHotList,
     &PausedJobs::EmptyResearchLists, true},
};

// The user empties the lists of a window whose job is paused and switches away: the paused job
// keeps the window, to be resumed; a window whose job has ended goes.
TEST_P(PausedJobs, APausedJobKeepsItsWindowBehindASwitchThoughItsListsWereEmptied) {
    (this->*GetParam().prepare)();
    ASSERT_EQ(Status(), GetParam().paused ? QStringLiteral("已暂停") : QStringLiteral("就绪"));
    (this->*GetParam().empty)();
    const QPointer<QWidget> window = LoadedWorkWindow(GetParam().kind);
    ASSERT_FALSE(window.isNull());
    ASSERT_EQ(Front(), window.data());

    OpenDatabase();
    BackInTheEventLoop();

    EXPECT_EQ(!window.isNull(), GetParam().paused);
    EXPECT_EQ(Status(), GetParam().paused ? QStringLiteral("已暂停") : QStringLiteral("就绪"));
}

// A paused refresh's window goes while the window of the case stays loaded: "已暂停" stands only
// while that one holds a paused job too.
TEST_P(PausedJobs, ThePausedStatusStandsAfterAPausedWindowWentOnlyWhileAnotherJobIsPaused) {
    (this->*GetParam().prepare)();
    const QPointer<QWidget> window = LoadedWorkWindow(GetParam().kind);
    PausedRefresh();
    ASSERT_EQ(Status(), QStringLiteral("已暂停"));
    ASSERT_FALSE(window.isNull()) << "unloaded by the switch to the database window";

    main->ActiveChild()->close();
    BackInTheEventLoop();

    ASSERT_EQ(Database(), nullptr);
    EXPECT_FALSE(window.isNull()) << "unloaded with the refresh's window";
    EXPECT_EQ(Status(), GetParam().paused ? QStringLiteral("已暂停") : QStringLiteral("就绪"));
}

INSTANTIATE_TEST_SUITE_P(EachWindowHolding, PausedJobs, ::testing::ValuesIn(kHoldings),
                         [](const ::testing::TestParamInfo<Holding>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace program_testing
