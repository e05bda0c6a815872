// Every long job, with each thing a user can do while it waits for a page done inside that
// wait: the case ends fine or with a refusal told, never with a crash or a row out of place
// (the table runs under the sanitizers too). An export waits for the user in its folder prompt,
// where the windows stay live: its actions are done there.
#include <QHeaderView>

#include "keyword_lists/add_keywords_dialog.h"
#include "program_fixture.h"
#include "research_tools/fixture_pages.h"
#include "shell/popup_menus.h"
#include "tools_window/research_panes.h"

namespace program_testing {
namespace {

class JobsInsideWaits;
using Step = void (JobsInsideWaits::*)();

// A long job: how it is set up and started, its own button, the list it fills (or exports) and
// the commands of that list (nullptr where the window offers none).
struct Job {
    const char* name;
    WorkWindowKind kind;
    // An export: it waits in its folder prompt rather than for a page.
    bool asksForFolder;
    Step prepare;
    Step start;
    Step ownButton;
    platform::ListView* (JobsInsideWaits::*list)();
    platform::CommandButton* (JobsInsideWaits::*remove)();
    platform::CommandButton* (JobsInsideWaits::*filter)();
    platform::CommandButton* (JobsInsideWaits::*restore)();
    platform::CommandButton* (JobsInsideWaits::*handOff)();
    // A query that ends by itself, without a stop the user could press.
    bool withoutStop = false;
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
    JobsInsideWaits() {
        ServeMiningSources();
        web.Serve(
            QStringLiteral("top.baidu.com"), QStringLiteral("/buzz/movie.html"),
            fakeweb::Page::Bytes(research_testing::PageBytes(QStringLiteral("hot_movie.htm"))));
    }
    ~JobsInsideWaits() override { delete LoadedAddKeywords(); }

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
    void PrepareIndexDetail() {
        OpenTools().TreeView1->ClickNode(1);
        Panes()
            .IndexQuery.ListView3->Rows()
            .Add(QStringLiteral("甲"))
            .SetSubItem(1, QStringLiteral("120"));
        Panes().IndexQuery.ListView3->SetSelectedIndex(1);
    }
    void StartIndexDetail() { Panes().IndexQuery.ListView3_DblClick(); }
    void PrepareRankRun() {
        关键词工具& tools = OpenTools();
        tools.TreeView1->ClickNode(3);
        prompts.Type(QStringLiteral("www.target-site.com"));
        tools.Command38_Click();
        prompts.Type(QStringLiteral("减肥"));
        tools.Command16_Click();
        tools.ListView10->Rows().SetAllChecked(false);
        tools.ListView10->Rows().SetChecked(1, true);
        tools.Combo8->SetListIndex(0);
    }
    void StartRankRun() { Tools()->Command21_Click(); }
    void PrepareHotList() {
        OpenTools().TreeView1->ClickNode(5);
        platform::TreeView* tree = Panes().HotKeywords.TreeView2;
        for (int node = 1; node <= tree->NodeCount(); ++node)
            if (tree->NodeText(node) == QStringLiteral("电影")) tree->ClickNode(node);
    }
    void StartHotList() { Panes().HotKeywords.Command29_Click(); }

    // The exports, each of a list a job has filled.
    void PrepareMiningExport() {
        PrepareRegular();
        StartRegular();
    }
    void StartMiningExport() { main->PopupMenus->m_txt1->trigger(); }
    void StartDatabaseExport() { main->PopupMenus->m_excel3->trigger(); }
    void PrepareHotListExport() {
        PrepareHotList();
        StartHotList();
    }
    void StartHotListExport() { Panes().HotKeywords.Command43_Click(); }

    platform::ListView* MiningList() { return Mining()->ListView1; }
    platform::ListView* BatchList() { return Mining()->ListView3; }
    platform::ListView* DatabaseList() { return Database()->ListView16; }
    platform::ListView* ComparisonList() { return Panes().Comparison.ListView18; }
    platform::ListView* IndexList() { return Panes().IndexQuery.ListView3; }
    platform::ListView* RankResults() { return Tools()->ListView12; }
    platform::ListView* HotList() { return Panes().HotKeywords.ListView4; }
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
    // Adds keywords to the window's own list: the batch list, the keyword database (both through
    // the add-keywords dialog) or the rank query's sites.
    void Add() {
        if (!LoadedWorkWindow(Job().kind)) return;
        modals.work = [](QDialog& dialog) {
            auto& add = static_cast<frm_AddKeywords&>(dialog);
            add.Text1->setPlainText(QStringLiteral("新词一\n新词二"));
            add.Command5_Click();
        };
        switch (Job().kind) {
            case WorkWindowKind::Mining:
                Mining()->Command16_Click();
                break;
            case WorkWindowKind::Database:
                Database()->Command45_Click();
                break;
            case WorkWindowKind::Tools:
                prompts.Type(QStringLiteral("www.added-site.com"));
                Tools()->Command38_Click();
                break;
        }
        modals.work = nullptr;
    }

    // Runs `act` once, inside the export's folder prompt, and answers the export's own prompts
    // as they come: a file name, the program folder, and no to replacing or opening a file.
    void ActInsideTheFolderPrompt(std::function<void()> act) {
        using Prompt = testing_support::ScriptedPrompts::Prompt;
        using Kind = testing_support::ScriptedPrompts::Kind;
        prompts.meanwhile = [this, act, acted = false](const Prompt& prompt) mutable {
            if (prompt.kind == Kind::Folder) {
                if (!std::exchange(acted, true)) act();
                prompts.Type(folder.Path());
            } else if (prompt.kind == Kind::Input &&
                       prompt.text == QStringLiteral("请输入您要导出文件的文件名")) {
                prompts.Type(QStringLiteral("导出"));
            } else if (prompt.kind == Kind::Message &&
                       (prompt.text == QStringLiteral("导出完成，是否打开文件?") ||
                        prompt.text == QStringLiteral("该文件已经存在，是否覆盖?"))) {
                prompts.Answer(platform::Answer::Cancel);
            }
        };
    }

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
    {"RegularMining", WorkWindowKind::Mining, false, STEP(PrepareRegular), STEP(StartRegular),
     STEP(StartRegular), STEP(MiningList), STEP(MiningDelete), STEP(MiningFilter),
     STEP(MiningRestore), STEP(MiningHandOff)},
    {"BatchMining", WorkWindowKind::Mining, false, STEP(PrepareBatch), STEP(StartBatch),
     STEP(StartBatch), STEP(BatchList), nullptr, nullptr, nullptr, nullptr},
    {"Requery", WorkWindowKind::Mining, false, STEP(PrepareRequery), STEP(StartRequery),
     STEP(StartRequery), STEP(MiningList), STEP(MiningDelete), STEP(MiningFilter),
     STEP(MiningRestore), STEP(MiningHandOff), true},
    {"DatabaseRefresh", WorkWindowKind::Database, false, STEP(PrepareRefresh), STEP(StartRefresh),
     STEP(StartRefresh), STEP(DatabaseList), STEP(DatabaseDelete), STEP(DatabaseFilter),
     STEP(DatabaseRestore), STEP(DatabaseHandOff)},
    {"Comparison", WorkWindowKind::Tools, false, STEP(PrepareComparison), STEP(StartComparison),
     STEP(StartComparison), STEP(ComparisonList), STEP(ComparisonClear), nullptr, nullptr, nullptr},
    {"IndexQuery", WorkWindowKind::Tools, false, STEP(PrepareIndexQuery), STEP(StartIndexQuery),
     STEP(StartIndexQuery), STEP(IndexList), STEP(IndexDelete), nullptr, nullptr, nullptr, true},
    {"IndexDetail", WorkWindowKind::Tools, false, STEP(PrepareIndexDetail), STEP(StartIndexDetail),
     STEP(StartIndexDetail), STEP(IndexList), STEP(IndexDelete), nullptr, nullptr, nullptr, true},
    {"RankRun", WorkWindowKind::Tools, false, STEP(PrepareRankRun), STEP(StartRankRun),
     STEP(StartRankRun), STEP(RankResults), nullptr, nullptr, nullptr, nullptr, true},
    {"HotList", WorkWindowKind::Tools, false, STEP(PrepareHotList), STEP(StartHotList),
     STEP(StartHotList), STEP(HotList), nullptr, nullptr, nullptr, nullptr},
    {"MiningExport", WorkWindowKind::Mining, true, STEP(PrepareMiningExport),
     STEP(StartMiningExport), STEP(StartMiningExport), STEP(MiningList), STEP(MiningDelete),
     STEP(MiningFilter), STEP(MiningRestore), STEP(MiningHandOff)},
    {"DatabaseExport", WorkWindowKind::Database, true, STEP(PrepareRefresh),
     STEP(StartDatabaseExport), STEP(StartDatabaseExport), STEP(DatabaseList), STEP(DatabaseDelete),
     STEP(DatabaseFilter), STEP(DatabaseRestore), STEP(DatabaseHandOff)},
    {"HotListExport", WorkWindowKind::Tools, true, STEP(PrepareHotListExport),
     STEP(StartHotListExport), STEP(StartHotListExport), STEP(HotList), nullptr, nullptr, nullptr,
     nullptr},
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
    {"Add", STEP(Add)},
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
    const auto inside = [this, act, &acted] {
        acted = true;
        (this->*act)();
    };
    if (Job().asksForFolder)
        ActInsideTheFolderPrompt(inside);
    else
        InsideNextWait(inside);

    (this->*Job().start)();

    prompts.meanwhile = nullptr;
    EXPECT_TRUE(acted) << "the job never waited";
    if (act == STEP(CloseBox)) {
        // The window's own job or export runs: its close box is refused with a message, the
        // window stays as it was. A job with a stop asks for it; one without, to be waited for.
        EXPECT_TRUE(window && window->isVisible()) << "the window closed under its job";
        const QStringList told = prompts.Texts();
        const QString refusal =
            Job().withoutStop
                ? QStringLiteral("本窗口的查询正在进行中，请等待当前查询完成后再关闭窗口。")
                : QStringLiteral("本窗口的任务正在进行中，请先停止任务再关闭窗口。");
        EXPECT_TRUE(
            told.contains(refusal) ||
            told.contains(QStringLiteral("导出数据或对话框尚未结束，请先完成后再关闭窗口。")))
            << told.join(u'/').toStdString();
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
        ExpectSoundRows(Panes().HotKeywords.ListView4->Rows(), nullptr);
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
