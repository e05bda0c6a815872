// What a switch between the work windows keeps: results not saved anywhere and paused runs stay
// with their window; the pressed toolbar button is always the shown window's.
#include <QDir>

#include "mining/mining_binding.h"
#include "program_fixture.h"
#include "tools_window/research_panes.h"

namespace program_testing {
namespace {

class WindowSwitch : public ProgramTest {
  protected:
    WindowSwitch() {
        ServeMiningSources();
        mining = &OpenMining();
        TickRegularMetrics(*mining, false);
        mining->Text2->SetText(QStringLiteral("减肥"));
    }

    // Each address asked for, with how often it was asked, for the hosts of the sources.
    std::map<QString, int> SourceRequests() const {
        std::map<QString, int> counts;
        for (const fakeweb::Request& request : web.Requests())
            if (request.host != QStringLiteral("share.tarnwick.com")) ++counts[request.Url()];
        return counts;
    }
    // How many addresses were asked more than once.
    static int Repeated(const std::map<QString, int>& asked) {
        int repeated = 0;
        for (const auto& [url, times] : asked) repeated += times > 1 ? 1 : 0;
        return repeated;
    }
    void SwitchAwayAndBack() {
        main->mnuDatabase->trigger();
        ASSERT_EQ(Front(), Database());
        main->Button(2)->trigger();
        ASSERT_EQ(Front(), mining.data());
    }
    // Pauses the running mining run of `button` once `rows` rows are listed in `list`.
    void PauseWhenListed(platform::CommandButton* button, platform::ListView* list, int rows) {
        When([list, rows] { return list->Count() >= rows; }, [button] { button->click(); });
    }

    QPointer<关键词挖掘> mining;
};

TEST_F(WindowSwitch, AFinishedRunsRowsAreStillThereAfterASwitchAwayAndBack) {
    mining->Command2_Click();
    const int rows = mining->ListView1->Count();
    ASSERT_GT(rows, 10);

    SwitchAwayAndBack();

    EXPECT_EQ(mining->ListView1->Count(), rows);
    EXPECT_EQ(mining->ListView17.Count(), rows);
}

TEST_F(WindowSwitch, APausedRunResumedAfterASwitchAsksEverySourceOnce) {
    PauseWhenListed(mining->Command2, mining->ListView1, 3);
    mining->Command2_Click();
    ASSERT_EQ(mining->Command2->Caption(), mining::kStartCaption);
    ASSERT_FALSE(fields.mining.RegularRun.LastMinedKeyword.isEmpty()) << "not paused";

    SwitchAwayAndBack();
    mining->Command2_Click();

    EXPECT_TRUE(fields.mining.RegularRun.LastMinedKeyword.isEmpty()) << "not finished";
    const std::map<QString, int> asked = SourceRequests();
    EXPECT_EQ(asked.size(), 8u) << "no source skipped";
    EXPECT_LE(Repeated(asked), 1) << "only the source the pause broke off is asked again";
    EXPECT_EQ(mining->ListView1->Rows().Text(1), QStringLiteral("减肥"));
}

TEST_F(WindowSwitch, APausedBatchKeepsItsListAndResumesEachKeywordOnce) {
    for (platform::CheckBox* box : {mining->Check5, mining->Check4, mining->Check3})
        box->SetValue(0);
    mining->Combo1->SetListIndex(0);
    mining->TreeView1->ClickNode(2);
    for (const QString& keyword : {QStringLiteral("减肥"), QStringLiteral("节食")})
        mining->ListView8->Rows().Add(keyword).SetChecked(true);
    PauseWhenListed(mining->Command9, mining->ListView3, 3);
    mining->Command9_Click();
    ASSERT_TRUE(fields.mining.BatchRun.BatchActive);

    SwitchAwayAndBack();
    mining->TreeView1->ClickNode(2);
    EXPECT_EQ(mining->ListView8->Count(), 2) << "the batch list is whole";
    mining->Command9_Click();

    EXPECT_FALSE(fields.mining.BatchRun.BatchActive) << "the batch has ended";
    const std::map<QString, int> asked = SourceRequests();
    EXPECT_EQ(asked.size(), 16u) << "every source asked for each keyword";
    EXPECT_LE(Repeated(asked), 1) << "only the source the pause broke off is asked again";
}

TEST_F(WindowSwitch, AnUnloadedWindowNeverResumesARunWhoseRowsWentWithIt) {
    PauseWhenListed(mining->Command2, mining->ListView1, 3);
    mining->Command2_Click();
    main->ActiveChild()->close();
    BackInTheEventLoop();
    ASSERT_EQ(Mining(), nullptr);

    web.ClearRequests();
    关键词挖掘& reopened = OpenMining();
    TickRegularMetrics(reopened, false);
    reopened.Command2_Click();

    EXPECT_EQ(SourceRequests().size(), 8u) << "every source asked again for the new list";
}

// The tools window stays loaded behind while one of its research lists holds rows, and goes on a
// switch once they are all empty.
TEST_F(WindowSwitch, AToolsWindowWithResearchRowsIsKeptAndAnEmptyOneUnloaded) {
    const std::function<platform::ListView*(research::ResearchPanes&)> lists[] = {
        [](research::ResearchPanes& p) { return p.IndexQuery.ListView3; },
        [](research::ResearchPanes& p) { return p.Comparison.ListView18; },
        [](research::ResearchPanes& p) { return p.HotKeywords.ListView4; },
    };
    for (const auto& list : lists) {
        QPointer<关键词工具> tools = &OpenTools();
        list(tools->Research())->Add(QStringLiteral("减肥"));

        main->mnuDatabase->trigger();
        BackInTheEventLoop();
        ASSERT_FALSE(tools.isNull());
        main->Button(3)->trigger();
        ASSERT_EQ(Front(), tools.data());
        EXPECT_EQ(list(tools->Research())->Count(), 1);

        list(tools->Research())->Clear();
        main->mnuDatabase->trigger();
        BackInTheEventLoop();
        EXPECT_TRUE(tools.isNull());
    }
}

// The mining window stays loaded behind a switch while any of its result lists, or the master
// copy behind one, holds rows, and goes on a switch once they are all empty.
TEST_F(WindowSwitch, AMiningWindowWithRowsInAnyResultListIsKeptAndAnEmptyOneUnloaded) {
    const struct {
        const char* name;
        platform::ListView* 关键词挖掘::*shown;
        platform::RowTable 关键词挖掘::*master;
        bool inSight;
    } cases[] = {
        {"regular results", &关键词挖掘::ListView1, &关键词挖掘::ListView17, true},
        {"regular results the filter hides", &关键词挖掘::ListView1, &关键词挖掘::ListView17,
         false},
        {"batch results alone", &关键词挖掘::ListView3, nullptr, true},
        {"manual results", &关键词挖掘::ListView2, &关键词挖掘::ListView5, true},
        {"manual results the filter hides", &关键词挖掘::ListView2, &关键词挖掘::ListView5, false},
        // A keyword's history is laid across the manual list alone.
        {"the manual list alone", &关键词挖掘::ListView2, nullptr, true},
    };
    for (const auto& c : cases) {
        platform::RowTable& shown = (mining->*c.shown)->Rows();
        platform::RowTable* master = c.master ? &(mining.data()->*c.master) : nullptr;
        const platform::ListItem row = shown.Add(QStringLiteral("减肥"));
        if (master) master->Add(QStringLiteral("减肥"), row.Key());
        if (!c.inSight) shown.Clear();

        main->mnuDatabase->trigger();
        BackInTheEventLoop();
        ASSERT_FALSE(mining.isNull()) << c.name;
        main->Button(2)->trigger();
        ASSERT_EQ(Front(), mining.data()) << c.name;
        EXPECT_EQ((mining->*c.shown)->Count() + (master ? master->Count() : 0),
                  (c.inSight ? 1 : 0) + (master ? 1 : 0))
            << c.name;

        shown.Clear();
        if (master) master->Clear();
        main->mnuDatabase->trigger();
        BackInTheEventLoop();
        EXPECT_TRUE(mining.isNull()) << c.name;
        mining = &OpenMining();
    }
}

// Inside a mining run's wait the user goes to another window, back to the mining window (the
// other one is to go once the wait has ended) and to the other window again: it is still loaded,
// and in front, when the run has ended.
TEST_F(WindowSwitch, AWindowLeftAndShownAgainInsideAnotherJobsWaitIsStillThereAfterIt) {
    const struct {
        const char* name;
        QAction* MDIfrm::*menuItem;
        WorkWindowKind kind;
    } cases[] = {
        {"database", &MDIfrm::mnuDatabase, WorkWindowKind::Database},
        {"tools", &MDIfrm::mnuTool, WorkWindowKind::Tools},
    };
    for (const auto& c : cases) {
        QPointer<QWidget> other;
        InsideNextWait([this, &c, &other] {
            (main.get()->*c.menuItem)->trigger();
            main->mnuDig->trigger();
            (main.get()->*c.menuItem)->trigger();
            other = LoadedWorkWindow(c.kind);
        });

        mining->Command2_Click();
        BackInTheEventLoop();

        ASSERT_FALSE(other.isNull()) << c.name << ": unloaded though shown";
        EXPECT_EQ(LoadedWorkWindow(c.kind), other.data()) << c.name;
        EXPECT_EQ(Front(), other.data()) << c.name;
        main->mnuDig->trigger();
        BackInTheEventLoop();
    }
}

// A paused database refresh is work in hand: its window stays loaded behind a switch with the
// values, the bold row to resume from and the ticked boxes, and "已暂停" stands as long as the
// paused refresh does; when the window goes, the status goes back to "就绪".
TEST_F(WindowSwitch, APausedRefreshKeepsItsWindowAndThePausedStatusOnlyWhileItLasts) {
    for (const QString& keyword : {QStringLiteral("旧词一"), QStringLiteral("旧词二")})
        db.Insert(keyword, keyword, "1", "1", "1", QStringLiteral("2026-01-01"));
    const QPointer<关键词数据库> database = &OpenDatabase();
    database->Check30->SetValue(1);
    database->Check10->SetValue(0);
    InsideNextWait([database] { database->Command44_Click(); });
    database->Command44_Click();
    const auto cells = [database] {
        QStringList texts;
        const platform::RowTable& rows = database->ListView16->Rows();
        for (int i = 1; i <= rows.Count(); ++i)
            for (int j = 0; j < 6; ++j)
                texts << rows.Cell(i, j) + (rows.Bold(i) ? QStringLiteral("*") : QString());
        return texts;
    };
    const QStringList paused = cells();
    ASSERT_TRUE(paused.contains(QStringLiteral("120"))) << paused.join(u' ').toStdString();
    ASSERT_EQ(main->Panel(1)->text(), QStringLiteral("已暂停"));

    main->Button(2)->trigger();
    ASSERT_EQ(Front(), Mining());
    ASSERT_EQ(Database(), database.data()) << "unloaded with its paused refresh";
    EXPECT_EQ(main->Panel(1)->text(), QStringLiteral("已暂停"));
    main->mnuDatabase->trigger();
    ASSERT_EQ(Front(), database.data());
    EXPECT_EQ(cells(), paused);
    EXPECT_EQ(database->Check30->Value(), 1);

    main->ActiveChild()->close();
    BackInTheEventLoop();
    EXPECT_EQ(database, nullptr);
    EXPECT_EQ(main->Panel(1)->text(), QStringLiteral("就绪")) << "nothing is paused any more";
}

// Refreshed values the database refused are only in the list: a switch keeps them.
TEST_F(WindowSwitch, RefreshedValuesTheDatabaseRefusedStayInTheirWindowBehindASwitch) {
    db.Insert(QStringLiteral("旧词"), QStringLiteral("旧词"), "1", "1", "1",
              QStringLiteral("2026-01-01"));
    ASSERT_TRUE(
        SharedConnection().Execute(QStringLiteral("create trigger refuse before update on keywords "
                                                  "begin select raise(abort, 'refused'); end")));
    const QPointer<关键词数据库> database = &OpenDatabase();
    database->Check30->SetValue(1);
    database->Check10->SetValue(0);
    database->Command44_Click();
    const auto cells = [database] {
        QStringList texts;
        for (int j = 0; j < 6; ++j) texts << database->ListView16->Rows().Cell(1, j);
        return texts;
    };
    const QStringList refreshed = cells();
    ASSERT_TRUE(refreshed.contains(QStringLiteral("120"))) << refreshed.join(u' ').toStdString();

    main->Button(2)->trigger();
    main->mnuDatabase->trigger();
    ASSERT_EQ(Front(), database.data()) << "unloaded with values no file holds";
    EXPECT_EQ(cells(), refreshed);
    EXPECT_EQ(main->Panel(1)->text(), QStringLiteral("就绪")) << "nothing is paused";
}

// A later refresh of other rows saves all of its own: the values an earlier one could not save
// are still only in the window's lists, and a switch keeps them.
TEST_F(WindowSwitch, ValuesAnEarlierRefreshCouldNotSaveStayAfterALaterOneSavedAllOfItsOwn) {
    for (const QString& keyword : {QStringLiteral("旧词一"), QStringLiteral("旧词二")})
        db.Insert(keyword, keyword, "1", "1", "1", QStringLiteral("2026-01-01"));
    ASSERT_TRUE(SharedConnection().Execute(
        QStringLiteral("create trigger refuse before update on keywords when old.keys = '旧词一' "
                       "begin select raise(abort, 'refused'); end")));
    const QPointer<关键词数据库> database = &OpenDatabase();
    database->Check30->SetValue(1);
    database->Check10->SetValue(0);
    database->Command44_Click();
    ASSERT_TRUE(prompts.LastText().startsWith(QStringLiteral("1个关键词的新数据未能写入数据库")))
        << prompts.LastText().toStdString();
    ASSERT_TRUE(SharedConnection().Execute(QStringLiteral("drop trigger refuse")));
    database->Text4->SetText(QStringLiteral("旧词二"));
    database->Command22_Click();
    database->Command44_Click();
    ASSERT_EQ(db.Rows().value(1), QStringLiteral("旧词二|旧词二|120|35|1|2026-12-10"));

    main->Button(2)->trigger();
    BackInTheEventLoop();
    ASSERT_FALSE(database.isNull()) << "unloaded with values no file holds";
    main->mnuDatabase->trigger();
    database->Command17_Click();
    EXPECT_EQ(database->ListView16->Rows().Cell(1, 2), QStringLiteral("120"));
    EXPECT_EQ(db.Rows().value(0), QStringLiteral("旧词一|旧词一|1|1|1|2026-01-01"));
}

// Inside a mining run's wait the user brings the database window up and closes it: it waits
// hidden to be unloaded once the wait is over, and the mining window behind it is in front again
// with its toolbar button pressed, as after a close outside any wait.
TEST_F(WindowSwitch, AWindowClosedInsideAnotherJobsWaitGivesTheFrontAndItsButtonBack) {
    const auto pressed = [this] {
        QString buttons;
        for (int button = 2; button <= 4; ++button)
            if (main->Button(button)->isChecked()) buttons += QString::number(button);
        return buttons;
    };
    QPointer<QWidget> front;
    QString pressedThen;
    InsideNextWait([&] {
        main->mnuDatabase->trigger();
        main->ActiveChild()->close();
        front = Front();
        pressedThen = pressed();
    });
    mining->Command2_Click();

    EXPECT_EQ(front.data(), mining.data());
    EXPECT_EQ(pressedThen, QStringLiteral("2"));
    BackInTheEventLoop();
    EXPECT_EQ(Database(), nullptr);
    EXPECT_EQ(pressed(), QStringLiteral("2"));
}

TEST_F(WindowSwitch, ThePressedToolbarButtonIsTheShownWindowsAfterAHandOffAndARefusal) {
    mining->Command2_Click();
    mining->ListView1->Rows().SetChecked(1, true);
    main->Button(2)->trigger();
    ASSERT_TRUE(main->Button(2)->isChecked());

    mining->Command42_Click();

    ASSERT_EQ(Front(), Tools());
    EXPECT_FALSE(main->Button(2)->isChecked());
    EXPECT_TRUE(main->Button(3)->isChecked());

    // A click refused because a job runs leaves the buttons as they were.
    research::ResearchPanes* panes = &Tools()->Research();
    panes->Comparison.Text8->SetText(QStringLiteral("甲#乙"));
    InsideNextWait([this] { main->Button(4)->trigger(); });
    panes->Comparison.Command31_Click();
    EXPECT_EQ(Front(), Tools());
    EXPECT_FALSE(main->Button(4)->isChecked());
    EXPECT_TRUE(main->Button(3)->isChecked());
}

}  // namespace
}  // namespace program_testing
