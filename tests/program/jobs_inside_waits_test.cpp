// Every long job, with each thing a user can do while it waits for a page done inside that
// wait: the case ends fine or with a refusal told, never with a crash or a row out of place
// (the table runs under the sanitizers too).
#include <QHeaderView>

#include "program_fixture.h"
#include "tools_window/research_panes.h"

namespace program_testing {
namespace {

class JobsInsideWaits;
using Step = void (JobsInsideWaits::*)();

// A long job: how it is set up and started, its own button, the list it fills and the
// commands of that list (nullptr where the window offers none).
struct Job {
    const char* name;
    WorkWindowKind kind;
    Step prepare;
    Step start;
    Step ownButton;
    platform::ListView* (JobsInsideWaits::*list)();
    platform::CommandButton* (JobsInsideWaits::*remove)();
    platform::CommandButton* (JobsInsideWaits::*filter)();
    platform::CommandButton* (JobsInsideWaits::*restore)();
    platform::CommandButton* (JobsInsideWaits::*handOff)();
};

struct Action {
    const char* name;
    Step act;
};

// A case by its names in test output.
void PrintTo(const std::pair<Job, Action>& jobAndAction, std::ostream* out) {
    *out << jobAndAction.first.name << " with " << jobAndAction.second.name;
}

class JobsInsideWaits : public ProgramTest,
                        public ::testing::WithParamInterface<std::pair<Job, Action>> {
  public:
    JobsInsideWaits() { ServeMiningSources(); }

    // The jobs.
    void PrepareRegular() {
        关键词挖掘& mining = OpenMining();
        TickRegularMetrics(mining, false);
        mining.Text2->SetText(QStringLiteral("减肥"));
    }
    void StartRegular() { Mining()->Command2_Click(); }
    void PrepareBatch() {
        关键词挖掘& mining = OpenMining();
        for (platform::CheckBox* box : {mining.Check5, mining.Check4, mining.Check3})
            box->SetValue(0);
        mining.Combo1->SetListIndex(0);
        for (const QString& keyword : {QStringLiteral("减肥"), QStringLiteral("节食")})
            mining.ListView8->Rows().Add(keyword).SetChecked(true);
    }
    void StartBatch() { Mining()->Command9_Click(); }
    void PrepareRequery() {
        PrepareRegular();
        StartRegular();
        TickRegularMetrics(*Mining(), true);
        Mining()->ListView1->SetSelectedIndex(2);
    }
    void StartRequery() { main->PopupMenus->m_chanum->trigger(); }
    void PrepareRefresh() {
        for (const QString& keyword : {QStringLiteral("旧词一"), QStringLiteral("旧词二")})
            db.Insert(keyword, keyword, "1", "1", "1", QStringLiteral("2026-01-01"));
        关键词数据库& database = OpenDatabase();
        database.Check30->SetValue(1);
        database.Check10->SetValue(1);
        database.txtbaiduse->SetText(QStringLiteral("0"));
        database.txtsetse->SetText(QStringLiteral("0"));
    }
    void StartRefresh() { Database()->Command44_Click(); }
    void PrepareComparison() {
        OpenTools().TreeView1->ClickNode(4);
        Panes().Comparison.Text8->SetText(QStringLiteral("甲#乙#丙"));
    }
    void StartComparison() { Panes().Comparison.Command31_Click(); }
    void PrepareIndexQuery() {
        OpenTools().TreeView1->ClickNode(1);
        Panes().IndexQuery.Text3->SetText(QStringLiteral("甲#乙"));
    }
    void StartIndexQuery() { Panes().IndexQuery.Command6_Click(); }

    platform::ListView* MiningList() { return Mining()->ListView1; }
    platform::ListView* BatchList() { return Mining()->ListView3; }
    platform::ListView* DatabaseList() { return Database()->ListView16; }
    platform::ListView* ComparisonList() { return Panes().Comparison.ListView18; }
    platform::ListView* IndexList() { return Panes().IndexQuery.ListView3; }
    platform::CommandButton* MiningDelete() { return Mining()->Command14; }
    platform::CommandButton* MiningFilter() { return Mining()->Command22; }
    platform::CommandButton* MiningRestore() { return Mining()->Command17; }
    platform::CommandButton* MiningHandOff() { return Mining()->Command42; }
    platform::CommandButton* DatabaseDelete() { return Database()->Command48; }
    platform::CommandButton* DatabaseFilter() { return Database()->Command22; }
    platform::CommandButton* DatabaseRestore() { return Database()->Command17; }
    platform::CommandButton* DatabaseHandOff() { return Database()->Command13; }
    platform::CommandButton* ComparisonClear() { return Panes().Comparison.Command4; }
    platform::CommandButton* IndexDelete() { return Panes().IndexQuery.Command41; }

    // The actions, done inside the job's wait.
    void SwitchByMenu() { OtherMenuItem()->trigger(); }
    void SwitchByToolbar() { main->Button(OtherButton())->trigger(); }
    void CloseBox() {
        if (QMdiSubWindow* front = main->ActiveChild()) front->close();
    }
    void ExitAnsweredNo() {
        prompts.Answer(platform::Answer::No);
        main->close();
    }
    void ExitAnsweredYes() {
        prompts.Answer(platform::Answer::Yes);
        main->close();
    }
    void OwnButton() { (this->*Job().ownButton)(); }
    void AnotherJob() {
        if (Job().kind == WorkWindowKind::Mining) {
            PrepareRefresh();
            StartRefresh();
        } else {
            OpenMining().Text2->SetText(QStringLiteral("减肥茶"));
            StartRegular();
        }
    }
    void Sort() {
        if (platform::ListView* list = JobList()) emit list->header()->sectionClicked(1);
    }
    void Delete() { Press(Job().remove, true); }
    void Filter() {
        if (Job().kind == WorkWindowKind::Mining) Mining()->Text4->SetText(QStringLiteral("减"));
        if (Job().kind == WorkWindowKind::Database)
            Database()->Text4->SetText(QStringLiteral("旧"));
        Press(Job().filter, false);
    }
    void Restore() { Press(Job().restore, false); }
    void HandOff() { Press(Job().handOff, true); }

    const struct Job& Job() const { return GetParam().first; }
    research::ResearchPanes& Panes() { return Tools()->Research(); }

  private:
    QAction* OtherMenuItem() const {
        return Job().kind == WorkWindowKind::Mining ? main->mnuDatabase : main->mnuDig;
    }
    int OtherButton() const { return Job().kind == WorkWindowKind::Mining ? 4 : 2; }
    platform::ListView* JobList() {
        return LoadedWorkWindow(Job().kind) ? (this->*Job().list)() : nullptr;
    }
    // Presses a command of the job's list, the list's rows ticked first when `tickAll`.
    void Press(platform::CommandButton* (JobsInsideWaits::*command)(), bool tickAll) {
        if (!LoadedWorkWindow(Job().kind)) return;
        if (tickAll) JobList()->Rows().SetAllChecked(true);
        (this->*command)()->click();
    }
};

#define STEP(name) &JobsInsideWaits::name

const Job kJobs[] = {
    {"RegularMining", WorkWindowKind::Mining, STEP(PrepareRegular), STEP(StartRegular),
     STEP(StartRegular), STEP(MiningList), STEP(MiningDelete), STEP(MiningFilter),
     STEP(MiningRestore), STEP(MiningHandOff)},
    {"BatchMining", WorkWindowKind::Mining, STEP(PrepareBatch), STEP(StartBatch), STEP(StartBatch),
     STEP(BatchList), nullptr, nullptr, nullptr, nullptr},
    {"Requery", WorkWindowKind::Mining, STEP(PrepareRequery), STEP(StartRequery),
     STEP(StartRequery), STEP(MiningList), STEP(MiningDelete), STEP(MiningFilter),
     STEP(MiningRestore), STEP(MiningHandOff)},
    {"DatabaseRefresh", WorkWindowKind::Database, STEP(PrepareRefresh), STEP(StartRefresh),
     STEP(StartRefresh), STEP(DatabaseList), STEP(DatabaseDelete), STEP(DatabaseFilter),
     STEP(DatabaseRestore), STEP(DatabaseHandOff)},
    {"Comparison", WorkWindowKind::Tools, STEP(PrepareComparison), STEP(StartComparison),
     STEP(StartComparison), STEP(ComparisonList), STEP(ComparisonClear), nullptr, nullptr, nullptr},
    {"IndexQuery", WorkWindowKind::Tools, STEP(PrepareIndexQuery), STEP(StartIndexQuery),
     STEP(StartIndexQuery), STEP(IndexList), STEP(IndexDelete), nullptr, nullptr, nullptr},
};

const Action kActions[] = {
    {"SwitchByMenu", STEP(SwitchByMenu)},
    {"SwitchByToolbar", STEP(SwitchByToolbar)},
    {"CloseBox", STEP(CloseBox)},
    {"ExitAnsweredNo", STEP(ExitAnsweredNo)},
    {"ExitAnsweredYes", STEP(ExitAnsweredYes)},
    {"OwnButton", STEP(OwnButton)},
    {"AnotherJob", STEP(AnotherJob)},
    {"Sort", STEP(Sort)},
    {"Delete", STEP(Delete)},
    {"Filter", STEP(Filter)},
    {"Restore", STEP(Restore)},
    {"HandOff", STEP(HandOff)},
};

// Every job with every action its window offers.
std::vector<std::pair<Job, Action>> Cases() {
    std::vector<std::pair<Job, Action>> cases;
    for (const Job& job : kJobs) {
        for (const Action& action : kActions) {
            const Step act = action.act;
            if ((act == STEP(Delete) && !job.remove) || (act == STEP(Filter) && !job.filter) ||
                (act == STEP(Restore) && !job.restore) || (act == STEP(HandOff) && !job.handOff))
                continue;
            cases.emplace_back(job, action);
        }
    }
    return cases;
}

// Each row of a list has its row in the master copy, and no keyword is listed twice.
void ExpectSoundRows(const platform::RowTable& list, const platform::RowTable* master) {
    QSet<QString> seen;
    for (int row = 1; row <= list.Count(); ++row) {
        EXPECT_FALSE(seen.contains(list.Text(row)))
            << "listed twice: " << list.Text(row).toStdString();
        seen.insert(list.Text(row));
        if (!master) continue;
        const int copy = master->IndexOfKey(list.Key(row));
        ASSERT_NE(copy, 0) << "no master row for " << list.Text(row).toStdString();
        EXPECT_EQ(master->Text(copy), list.Text(row));
    }
}

TEST_P(JobsInsideWaits, EndsFineOrRefusedWithAMessage) {
    (this->*Job().prepare)();
    prompts.Texts();  // the prompts may come or not: the checks below say what matters
    const QPointer<QWidget> window = LoadedWorkWindow(Job().kind);
    const Step act = GetParam().second.act;
    bool acted = false;
    InsideNextWait([this, act, &acted] {
        acted = true;
        (this->*act)();
    });

    (this->*Job().start)();

    EXPECT_TRUE(acted) << "the job never waited";
    if (act == STEP(CloseBox)) {
        // The window's own job runs: its close box is refused, the window stays as it was.
        EXPECT_TRUE(window && window->isVisible()) << "the window closed under its job";
        EXPECT_TRUE(prompts.Texts().contains(
            QStringLiteral("本窗口的任务正在进行中，请先停止任务再关闭窗口。")));
    }
    if (关键词挖掘* mining = Mining()) {
        ExpectSoundRows(mining->ListView1->Rows(), &mining->ListView17);
        ExpectSoundRows(mining->ListView3->Rows(), nullptr);
    }
    if (关键词数据库* database = Database())
        ExpectSoundRows(database->ListView16->Rows(), &database->ListView13);
    if (Tools()) {
        ExpectSoundRows(Panes().Comparison.ListView18->Rows(), nullptr);
        ExpectSoundRows(Panes().IndexQuery.ListView3->Rows(), nullptr);
    }
    // The pressed toolbar button is the shown window's (while the program shows any).
    WorkWindowKind shown;
    const bool workWindowShown = Front() && KindOfLoadedWindow(Front(), &shown);
    for (int button = 2; main->isVisible() && button <= 4; ++button)
        EXPECT_EQ(main->Button(button)->isChecked(),
                  workWindowShown && NavigationText(shown).toInt() == button)
            << button;

    BackInTheEventLoop();
    if (window && window->isVisible()) {
        EXPECT_EQ(LoadedWorkWindow(Job().kind), window);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryJobAndAction, JobsInsideWaits, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<std::pair<Job, Action>>& info) {
                             return std::string(info.param.first.name) + "_" +
                                    info.param.second.name;
                         });

}  // namespace
}  // namespace program_testing
