// Faults users met by acting while a job waited for a page: each case acts inside the wait and
// checks that the job's data ends where it belongs.
#include <QDir>
#include <QFile>

#include "metrics/fixture_pages.h"
#include "mining/mining_binding.h"
#include "program_fixture.h"
#include "tools_window/research_panes.h"

namespace program_testing {
namespace {

const QString kJobRuns = QStringLiteral("正在进行中，请先暂停它或等它完成，再开始新的任务。");

QStringList Texts(const platform::RowTable& list) {
    QStringList texts;
    for (int row = 1; row <= list.Count(); ++row) texts << list.Text(row);
    return texts;
}

bool AnyPromptContains(const testing_support::ScriptedPrompts& prompts, const QString& part) {
    for (const QString& text : prompts.Texts())
        if (text.contains(part)) return true;
    return false;
}

class JobFaults : public ProgramTest {
  protected:
    JobFaults() { ServeMiningSources(); }
};

// The re-query is a job of the window like its runs: the close box is refused while it waits,
// asking the user to wait for it (it has no stop), and the row shows what it found.
TEST_F(JobFaults, ARequeriedRowsWindowRefusesItsCloseBoxUntilTheRequeryHasReturned) {
    关键词挖掘& mining = MinedWindow();
    ASSERT_GT(mining.ListView1->Count(), 1);
    TickRegularMetrics(mining, true);
    mining.ListView1->SetSelectedIndex(2);
    const QString keyword = mining.ListView1->Rows().Text(2);
    const QPointer<关键词挖掘> window = &mining;
    InsideNextWait([this] { main->ActiveChild()->close(); });

    main->PopupMenus->m_chanum->trigger();

    ASSERT_NE(window, nullptr) << "deleted while the requery waited in it";
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(prompts.LastText(),
              QStringLiteral("本窗口的查询正在进行中，请等待当前查询完成后再关闭窗口。"));
    EXPECT_EQ(window->ListView1->Rows().Text(2), keyword);
    EXPECT_EQ(window->ListView1->Rows().Cell(2, 1), QStringLiteral("120"));
    BackInTheEventLoop();
    EXPECT_NE(window, nullptr) << "still open";
}

TEST_F(JobFaults, ASortAfterAHandOffInsideARunNeitherMisplacesMetricsNorLosesSavedRows) {
    关键词挖掘& mining = OpenMining();
    TickRegularMetrics(mining, true);
    mining.Text2->SetText(QStringLiteral("减肥"));
    When([&mining] { return mining.ListView1->Count() >= 3; },
         [&mining] {
             mining.ListView1->Rows().SetAllChecked(true);
             mining.Command42_Click();
             mining.ListView1_ColumnClick(1);
         });

    mining.Command2_Click();

    const platform::RowTable& rows = mining.ListView1->Rows();
    ASSERT_GT(rows.Count(), 10);
    QStringList withoutVolume;
    for (int row = 1; row <= rows.Count(); ++row)
        if (rows.Cell(row, 1) != QStringLiteral("120")) withoutVolume << rows.Text(row);
    EXPECT_EQ(withoutVolume, QStringList());
    EXPECT_EQ(db.Rows().size(), rows.Count()) << "every row stored once under its own keyword";
}

TEST_F(JobFaults, ABatchMinesEachKeywordOnceUnderItsOwnNameWhateverIsUntickedMeanwhile) {
    关键词挖掘& mining = OpenMining();
    for (platform::CheckBox* box : {mining.Check5, mining.Check4, mining.Check3}) box->SetValue(0);
    const QString saved = folder.FilePath(QStringLiteral("saved"));
    ASSERT_TRUE(QDir().mkpath(saved));
    mining.Text3->SetText(saved);
    mining.Combo1->SetListIndex(1);
    for (const QString& keyword :
         {QStringLiteral("减肥"), QStringLiteral("节食"), QStringLiteral("瘦身")})
        mining.ListView8->Rows().Add(keyword).SetChecked(true);
    // The user unticks the keyword being mined.
    InsideNextWait([&mining] { mining.ListView8->Rows().SetChecked(1, false); });

    mining.Command9_Click();

    QStringList files = QDir(saved).entryList(QDir::Files);
    for (QString& file : files) file = file.section(u'-', 0, 0);
    files.sort();
    QStringList expected{QStringLiteral("减肥"), QStringLiteral("瘦身"), QStringLiteral("节食")};
    expected.sort();
    EXPECT_EQ(files, expected);
}

TEST_F(JobFaults, AHandOffIntoARunningComparisonIsRefusedAndTheComparisonKeepsItsKeywords) {
    关键词工具& tools = OpenTools();
    research::ResearchPanes* panes = &tools.Research();
    ASSERT_NE(panes, nullptr);
    tools.TreeView1->ClickNode(4);
    panes->Comparison.Text8->SetText(QStringLiteral("甲#乙"));
    InsideNextWait([this] {
        关键词挖掘& mining = OpenMining();
        mining.ListView1->Rows().Add(QStringLiteral("丙")).SetChecked(true);
        mining.Command42_Click();
    });

    panes->Comparison.Command31_Click();

    EXPECT_EQ(panes->Comparison.Text8->Text(), QStringLiteral("甲#乙"));
    EXPECT_EQ(Texts(panes->Comparison.ListView18->Rows()),
              (QStringList{QStringLiteral("甲"), QStringLiteral("乙")}));
    EXPECT_EQ(panes->Comparison.Command31->Caption(), QStringLiteral("开始分析"));
    EXPECT_TRUE(AnyPromptContains(prompts, QStringLiteral("“关键词对比”") + kJobRuns));
}

TEST_F(JobFaults, AListEmptiedWhileTheExportAsksForTheFolderIsNotWrittenAsDone) {
    关键词挖掘& mining = MinedWindow();
    ASSERT_GT(mining.ListView1->Count(), 0);
    prompts.Type(QStringLiteral("结果")).Type(folder.Path());
    prompts.meanwhile = [&mining](const testing_support::ScriptedPrompts::Prompt& prompt) {
        if (prompt.kind == testing_support::ScriptedPrompts::Kind::Folder)
            mining.ListView1->Rows().Clear();
    };

    main->PopupMenus->m_txt1->trigger();

    EXPECT_FALSE(QFile::exists(folder.FilePath(QStringLiteral("结果.txt"))));
    EXPECT_EQ(prompts.LastText(), QStringLiteral("没有数据需要导出！"));
}

TEST_F(JobFaults, ARefreshAskedForInsideAMiningRunIsRefusedSoThePauseActsAtOnce) {
    db.Insert(QStringLiteral("旧词一"), QStringLiteral("旧词一"), "1", "1", "1",
              QStringLiteral("2026-01-01"));
    db.Insert(QStringLiteral("旧词二"), QStringLiteral("旧词二"), "1", "1", "1",
              QStringLiteral("2026-01-01"));
    关键词挖掘& mining = OpenMining();
    TickRegularMetrics(mining, false);
    mining.Text2->SetText(QStringLiteral("减肥"));
    InsideNextWait([this, &mining] {
        关键词数据库& database = OpenDatabase();
        database.Check30->SetValue(1);
        database.Check10->SetValue(0);
        // The pause is asked while the refresh would wait for its first page.
        InsideNextWait([&mining] { mining.Command2_Click(); });
        database.Command44_Click();
    });

    mining.Command2_Click();

    EXPECT_TRUE(web.Requests(metrics_testing::kShareHost).empty())
        << "the refresh ran inside the mining run's wait";
    EXPECT_TRUE(AnyPromptContains(prompts, QStringLiteral("“常规挖掘”") + kJobRuns));
    EXPECT_EQ(mining.Command2->Caption(), mining::kStartCaption);
    EXPECT_FALSE(fields.mining.RegularRun.LastMinedKeyword.isEmpty()) << "paused, not finished";
}

// Inside a mining run's wait the user double-clicks a row of the index list, or starts the hot
// list: each is refused with the message that names the run, so it asks for no page of its own
// and the run's pause, asked right after, acts at once.
TEST_F(JobFaults, AnIndexDetailOrAHotListAskedForInsideAMiningRunIsRefusedSoThePauseActs) {
    const struct {
        const char* name;
        int page;  // the tools window's page the user goes to
        std::function<void(research::ResearchPanes&)> ask;
        QStringList hosts;  // the hosts of its pages
    } cases[] = {
        {"index detail",
         1,
         [](research::ResearchPanes& panes) {
             panes.IndexQuery.ListView3->Rows()
                 .Add(QStringLiteral("减肥茶"))
                 .SetSubItem(1, QStringLiteral("120"));
             panes.IndexQuery.ListView3->SetSelectedIndex(1);
             panes.IndexQuery.ListView3_DblClick();
         },
         {QStringLiteral("history.tarnwick.com"), QStringLiteral("index.baidu.com")}},
        {"hot list",
         5,
         [](research::ResearchPanes& panes) {
             platform::TreeView* tree = panes.HotKeywords.TreeView2;
             for (int node = 1; node <= tree->NodeCount(); ++node)
                 if (tree->NodeText(node) == QStringLiteral("电影")) tree->ClickNode(node);
             panes.HotKeywords.Command29_Click();
         },
         {QStringLiteral("top.baidu.com")}},
    };
    for (const auto& c : cases) {
        关键词挖掘& mining = OpenMining();
        TickRegularMetrics(mining, false);
        mining.Text2->SetText(QStringLiteral("减肥"));
        const qsizetype told = prompts.Texts().size();
        InsideNextWait([this, &c, &mining] {
            关键词工具& tools = OpenTools();
            tools.TreeView1->ClickNode(c.page);
            // The pause is asked while the refused job would wait for its first page.
            InsideNextWait([&mining] { mining.Command2_Click(); });
            c.ask(tools.Research());
        });

        mining.Command2_Click();

        for (const QString& host : c.hosts)
            EXPECT_TRUE(web.Requests(host).empty()) << c.name << " ran inside the run's wait";
        EXPECT_TRUE(prompts.Texts().mid(told).contains(QStringLiteral("“常规挖掘”") + kJobRuns))
            << c.name;
        EXPECT_EQ(mining.Command2->Caption(), mining::kStartCaption) << c.name;
        EXPECT_FALSE(fields.mining.RegularRun.LastMinedKeyword.isEmpty())
            << c.name << ": paused, not finished";
        BackInTheEventLoop();
    }
}

}  // namespace
}  // namespace program_testing
