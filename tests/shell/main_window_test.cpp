#include "shell/main_window.h"

#include <QFile>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include "menu_windows.h"
#include "platform/charset.h"
#include "shared/registry_store.h"
#include "shared/running_job.h"
#include "shell/autorun.h"
#include "shell/news_window.h"
#include "shell_fixture.h"
#include "support/list_ends.h"

namespace {

using platform::Answer;
using shell_testing::FakeWorkWindow;
using shell_testing::ShellTest;

const QString kMissingDatabase =
    QStringLiteral("缺失数据库文件，请下载后解压并复制到软件安装目录！");
const QString kExitQuestion = QStringLiteral("确认要退出系统吗?");

class MainWindow : public ShellTest {
  protected:
    // A start-up on the day after the last check, with the marker file in place: no page
    // request unless a test asks for one.
    void StartedBefore() {
        mReg::CreateConfigKey(platform::Hive::CurrentUser, mReg::ConfigKey);
        mReg::SetConfigValue(platform::Hive::CurrentUser, mReg::ConfigKey,
                             QStringLiteral("updatedt"), QStringLiteral("2026-12-10"));
        QFile tag(folder.FilePath(QStringLiteral("baidutag.txt")));
        ASSERT_TRUE(tag.open(QIODevice::WriteOnly));
        tag.write("tag\r\n");
    }

    // The main window after a normal start-up with db.db present.
    MDIfrm& Started() {
        folder.AddFreshDatabase();
        StartedBefore();
        window = std::make_unique<MDIfrm>();
        EXPECT_TRUE(window->MDIForm_Load());
        return *window;
    }

    QWidget* Front() {
        QMdiSubWindow* child = window->ActiveChild();
        return child ? child->widget() : nullptr;
    }

    std::unique_ptr<MDIfrm> window;
};

TEST_F(MainWindow, StartsWithoutDatabaseWarningOnceAndStillShowsEverything) {
    StartedBefore();
    MDIfrm main;

    EXPECT_TRUE(main.MDIForm_Load());

    ASSERT_EQ(prompts.Texts(), QStringList{kMissingDatabase});
    EXPECT_EQ(prompts.prompts()[0].title, QStringLiteral("警告"));
    EXPECT_EQ(shell.opened,
              QStringList{QStringLiteral("http://update.tarnwick.com/update/db.rar")});
    EXPECT_FALSE(QFile::exists(folder.FilePath(QStringLiteral("db.db"))));
    // The maximised child's caption follows the main window's own, as in every such window.
    EXPECT_TRUE(main.windowTitle().startsWith(QStringLiteral("Tarnwickv4.0")));
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(main.isMaximized());
    EXPECT_EQ(main.Panel(1)->text(), QStringLiteral("就绪"));
    EXPECT_TRUE(tray.Last().shown);
    EXPECT_EQ(tray.Last().toolTip, QStringLiteral("Tarnwickv4.0"));
    EXPECT_EQ(main.Button(7)->text(), QStringLiteral("隐藏侧栏"));
    EXPECT_TRUE(main.Button(7)->isCheckable());
    EXPECT_TRUE(main.Button(6)->text().isEmpty());
    EXPECT_TRUE(main.mnuGJL->isChecked());
    EXPECT_TRUE(main.mnuZTL->isChecked());
    EXPECT_FALSE(main.mnuse->isVisible());
    ASSERT_NE(main.ActiveChild(), nullptr);
    EXPECT_NE(dynamic_cast<frm_login*>(main.ActiveChild()->widget()), nullptr);
    EXPECT_TRUE(main.ActiveChild()->isMaximized());
    EXPECT_EQ(main.Area->subWindowList().size(), 1) << "no work window yet";
    EXPECT_EQ(browsers.navigated,
              QStringList{QStringLiteral("http://www.tarnwick.com/news.html?ver=4.0.0")});
    EXPECT_EQ(main.LastWindowState, 2);
}

TEST_F(MainWindow, StartWithDatabaseCreatesTheMissingTablesWithoutAWord) {
    folder.AddFreshDatabase();
    StartedBefore();
    MDIfrm main;
    QWidget* splashOver = nullptr;
    browsers.onNavigate = [&splashOver] { splashOver = shell_testing::SplashShownOver(); };
    EXPECT_TRUE(main.MDIForm_Load());

    EXPECT_EQ(splashOver, &main) << "the news window loads behind the splash";
    EXPECT_EQ(shell_testing::SplashShownOver(), nullptr) << "and the splash is gone";
    EXPECT_TRUE(prompts.prompts().empty());
    EXPECT_TRUE(shell.opened.empty());
    for (const QString& table : kBootstrapTables) EXPECT_TRUE(SharedConnection().HasTable(table));
    EXPECT_EQ(VersionRequests(), 0);
}

TEST_F(MainWindow, MinimisedAtTheEndOfTheStartReturnsToANormalWindow) {
    folder.AddFreshDatabase();
    StartedBefore();
    MDIfrm main;
    main.setWindowState(Qt::WindowMinimized);
    main.MDIForm_Load();
    EXPECT_EQ(main.LastWindowState, 0);
}

TEST_F(MainWindow, AnotherVersionStartsTheUpdaterAndEndsWithoutAQuestion) {
    folder.AddFreshDatabase();
    ServeVersionPage(QStringLiteral("4.1"), QStringLiteral("m"));
    MDIfrm main;

    EXPECT_FALSE(main.MDIForm_Load());

    EXPECT_EQ(shell.started, QStringList{folder.Path() + QStringLiteral("/update.exe")});
    EXPECT_EQ(shell.styles, QList<platform::ShowStyle>{platform::ShowStyle::Normal});
    EXPECT_EQ(programEnd.ends, 1);
    EXPECT_TRUE(main.Updating);
    EXPECT_TRUE(prompts.prompts().empty());
    EXPECT_FALSE(tray.Last().shown) << "nothing after the check runs";
    EXPECT_EQ(tray.Last().removals, 0);
}

TEST_F(MainWindow, AnUpdaterThatCannotStartLeavesTheProgramRunning) {
    folder.AddFreshDatabase();
    ServeVersionPage(QStringLiteral("4.1"), QStringLiteral("m"));
    shell.succeed = false;
    MDIfrm main;

    EXPECT_TRUE(main.MDIForm_Load());

    EXPECT_EQ(shell.started.size(), 1);
    EXPECT_EQ(programEnd.ends, 0);
    EXPECT_FALSE(main.Updating);
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(tray.Last().shown);
}

TEST_F(MainWindow, AutorunMarksShowTheRegistrationAndTheTogglesWriteIt) {
    auto storeRun = [](const QString& value) {
        mReg::CreateConfigKey(platform::Hive::LocalMachine, mReg::RunKey);
        mReg::SetConfigValue(platform::Hive::LocalMachine, mReg::RunKey, mReg::AutorunValueName,
                             value);
    };
    storeRun(AutorunLauncherPath());
    MDIfrm& main = Started();
    EXPECT_TRUE(main.autorun->isChecked());
    EXPECT_TRUE(main.mnuAuto->isChecked());

    main.mnuAuto->trigger();  // off from the system menu
    EXPECT_FALSE(main.autorun->isChecked());
    EXPECT_FALSE(main.mnuAuto->isChecked());
    EXPECT_EQ(AutorunValue(), QStringLiteral(" "));

    main.autorun->trigger();  // on from the tray menu
    EXPECT_TRUE(main.autorun->isChecked());
    EXPECT_TRUE(main.mnuAuto->isChecked());
    EXPECT_EQ(AutorunValue(), folder.Path() + QStringLiteral("/autorun.exe"));

    // A value naming something else is not a registration.
    storeRun(QStringLiteral("C:\\zolvarin\\autorun.exe"));
    MDIfrm other;
    other.MDIForm_Load();
    EXPECT_FALSE(other.autorun->isChecked());
    EXPECT_FALSE(other.mnuAuto->isChecked());
}

TEST_F(MainWindow, MenusOpenOneWorkWindowAtATimeMaximisedBehindTheSplash) {
    MDIfrm& main = Started();
    const struct {
        QAction* item;
        WorkWindowKind kind;
        const char* navigation;
        int button;
    } steps[] = {
        {main.mnuDig, WorkWindowKind::Mining, "2", 2},
        {main.mnuTool, WorkWindowKind::Tools, "3", 3},
        {main.mnuDatabase, WorkWindowKind::Database, "4", 4},
        {main.mnuDig, WorkWindowKind::Mining, "2", 2},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.navigation);
        step.item->trigger();

        FakeWorkWindow* opened = Window(step.kind);
        ASSERT_NE(opened, nullptr);
        EXPECT_EQ(Front(), opened);
        EXPECT_TRUE(opened->isVisible());
        EXPECT_TRUE(main.ActiveChild()->isMaximized());
        EXPECT_EQ(opened->splashOver, &main) << "the splash lies over the main window";
        EXPECT_EQ(main.Area->subWindowList().size(), 1) << "the one in front before is gone";
        EXPECT_EQ(main.Text1->Text(), QString::fromLatin1(step.navigation));
        for (QAction* item : {main.mnuDig, main.mnuTool, main.mnuDatabase})
            EXPECT_EQ(item->isChecked(), item == step.item);
        for (int button = 2; button <= 4; ++button)
            EXPECT_EQ(main.Button(button)->isChecked(), button == step.button);
    }
    for (QWidget* widget : QApplication::allWidgets())
        EXPECT_FALSE(dynamic_cast<frmLoading*>(widget) && widget->isVisible()) << "splash closed";
}

TEST_F(MainWindow, ToolbarSwitchesWhenIdleAndReopensTheWindowInFront) {
    MDIfrm& main = Started();
    main.Button(2)->trigger();
    FakeWorkWindow* first = Window(WorkWindowKind::Mining);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(main.Button(2)->isChecked());
    EXPECT_TRUE(main.mnuDig->isChecked());

    // Clicked again while in front: reloaded afresh, its button still the pressed one.
    main.Button(2)->trigger();
    FakeWorkWindow* second = Window(WorkWindowKind::Mining);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->loads, 1);
    EXPECT_EQ(Front(), second);
    EXPECT_TRUE(main.Button(2)->isChecked());
    EXPECT_FALSE(main.Button(3)->isChecked());
    EXPECT_FALSE(main.Button(4)->isChecked());
    EXPECT_TRUE(main.mnuDig->isChecked());
    EXPECT_EQ(main.Area->subWindowList().size(), 1);
}

// The window buttons always show the one window opened last, also when the menu opened the
// window the toolbar switches away from.
TEST_F(MainWindow, AToolbarSwitchAwayFromAWindowTheMenuOpenedReleasesItsButton) {
    MDIfrm& main = Started();
    const struct {
        QAction* item;
        int itemButton;
        int clicked;
        QAction* clickedItem;
    } steps[] = {
        {main.mnuDatabase, 4, 2, main.mnuDig},
        {main.mnuDatabase, 4, 3, main.mnuTool},
        {main.mnuDig, 2, 4, main.mnuDatabase},
        {main.mnuTool, 3, 2, main.mnuDig},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.clicked);
        step.item->trigger();
        ASSERT_TRUE(main.Button(step.itemButton)->isChecked());

        main.Button(step.clicked)->trigger();

        for (int button = 2; button <= 4; ++button)
            EXPECT_EQ(main.Button(button)->isChecked(), button == step.clicked) << button;
        for (QAction* item : {main.mnuDig, main.mnuTool, main.mnuDatabase})
            EXPECT_EQ(item->isChecked(), item == step.clickedItem);
        EXPECT_EQ(main.Text1->Text(), QString::number(step.clicked));
    }
}

// The style keeps some pictures in small sizes only: such a button would show a smaller
// picture with its caption higher than its neighbours'.
TEST_F(MainWindow, EveryToolbarButtonsPictureFillsTheToolbarsPictureSize) {
    MDIfrm& main = Started();
    const QSize size = main.Toolbar1->iconSize();
    for (int button : {2, 3, 4, 5, 7}) {
        const QSize shown = main.Button(button)->icon().actualSize(size);
        EXPECT_EQ(shown.width(), size.width()) << button;
        EXPECT_EQ(shown.height(), size.height()) << button;
    }
}

// A window's load handles events; inside the click that chose the item in the open menu, Qt
// then loses track of the pointer and the toolbar button under the item keeps its hover frame.
TEST_F(MainWindow, AWindowChosenInTheOpenMenuOpensOnceTheMenusClickIsHandled) {
    MDIfrm& main = Started();
    main.mnuRjgn->popup(main.mapToGlobal(QPoint(20, 20)));
    ASSERT_TRUE(main.mnuRjgn->isVisible());

    QTest::mouseClick(main.mnuRjgn, Qt::LeftButton, {},
                      main.mnuRjgn->actionGeometry(main.mnuTool).center());
    EXPECT_FALSE(main.mnuRjgn->isVisible());
    EXPECT_EQ(LoadedWorkWindow(WorkWindowKind::Tools), nullptr) << "not inside the menu's click";

    QCoreApplication::processEvents();
    EXPECT_EQ(Front(), Window(WorkWindowKind::Tools));
    EXPECT_TRUE(main.mnuTool->isChecked());
    for (int button = 2; button <= 4; ++button)
        EXPECT_EQ(main.Button(button)->isChecked(), button == 3) << button;
}

TEST_F(MainWindow, ToolbarRefusesWhileAJobRunsButMenusStillSwitch) {
    MDIfrm& main = Started();
    main.mnuDig->trigger();
    {
        const jobs::Running job(QStringLiteral("常规挖掘"));
        // The status text is display only: what counts is that a job runs.
        BusyIndicator::Set(BusyIndicator::kReady);
        main.Button(3)->trigger();
        EXPECT_FALSE(main.Button(3)->isChecked()) << "a refused click leaves its button up";
        EXPECT_TRUE(main.Button(2)->isChecked()) << "the shown window's button stays pressed";
        main.Button(7)->trigger();
        EXPECT_TRUE(main.Button(7)->isChecked()) << "the click toggles the button itself";
        EXPECT_FALSE(Window(WorkWindowKind::Mining)->SideBar()->isHidden());
        EXPECT_EQ(LoadedWorkWindow(WorkWindowKind::Tools), nullptr);
        EXPECT_EQ(main.Text1->Text(), QStringLiteral("2"));
        EXPECT_FALSE(main.mnuTool->isChecked());

        main.mnuDatabase->trigger();
        EXPECT_EQ(Front(), Window(WorkWindowKind::Database));
        EXPECT_TRUE(main.Button(4)->isChecked()) << "the menu's window is the shown one";
    }
    main.Button(2)->trigger();
    EXPECT_EQ(Front(), Window(WorkWindowKind::Mining));
}

TEST_F(MainWindow, ASwitchKeepsAWindowWhoseJobRunsAndShowsItAgainUnchanged) {
    MDIfrm& main = Started();
    main.mnuDig->trigger();
    FakeWorkWindow* mining = Window(WorkWindowKind::Mining);
    mining->jobRunning = true;
    BusyIndicator::Set(BusyIndicator::kRunning);

    main.mnuDatabase->trigger();

    EXPECT_EQ(Window(WorkWindowKind::Mining), mining) << "still loaded, its job goes on";
    EXPECT_EQ(Front(), Window(WorkWindowKind::Database));
    EXPECT_EQ(main.Area->subWindowList().size(), 2);

    // Choosing the same window while its job runs does not reload it either.
    main.mnuDig->trigger();
    EXPECT_EQ(Front(), mining);
    EXPECT_EQ(mining->loads, 1);
    EXPECT_EQ(LoadedWorkWindow(WorkWindowKind::Database), nullptr) << "the idle one is unloaded";
    main.mnuDig->trigger();
    EXPECT_EQ(Window(WorkWindowKind::Mining), mining);

    // Its close box refuses while the job runs, and says why.
    EXPECT_FALSE(main.ActiveChild()->close());
    EXPECT_EQ(Window(WorkWindowKind::Mining), mining);
    EXPECT_EQ(prompts.Texts(),
              QStringList{QStringLiteral("本窗口的任务正在进行中，请先停止任务再关闭窗口。")});

    // Once the job has ended the window is unloaded like any other.
    mining->jobRunning = false;
    main.mnuTool->trigger();
    EXPECT_EQ(LoadedWorkWindow(WorkWindowKind::Mining), nullptr);
}

// The folder picker lets the user reach the menus while it is open: the window whose list the
// export writes stays loaded until the export is done.
TEST_F(MainWindow, ASwitchWhileAnExportAsksForItsFolderKeepsTheExportedWindow) {
    RegisterWorkWindow(WorkWindowKind::Mining, [] { return new shell_testing::MiningWindow; });
    MDIfrm& main = Started();
    main.mnuDig->trigger();
    QPointer<WorkWindow> mining = LoadedWorkWindow(WorkWindowKind::Mining);
    auto* list = &dynamic_cast<shell_testing::MiningWindow*>(mining.data())->ListView1;
    list->AddColumn(QStringLiteral("关键词"), 1500);
    list->Add(QStringLiteral("减肥"));

    prompts.Type(QStringLiteral("report"))
        .Type(folder.Path())
        .Answer(Answer::Ok)  // the close box's refusal
        .Answer(Answer::Cancel);
    prompts.meanwhile = [&](const testing_support::ScriptedPrompts::Prompt& prompt) {
        if (prompt.kind != testing_support::ScriptedPrompts::Kind::Folder) return;
        EXPECT_FALSE(main.ActiveChild()->close()) << "its close box refuses too";
        main.mnuDatabase->trigger();
    };
    main.PopupMenus->m_txt1->trigger();

    EXPECT_EQ(LoadedWorkWindow(WorkWindowKind::Mining), mining.data());
    EXPECT_EQ(Front(), Window(WorkWindowKind::Database));
    EXPECT_EQ(prompts.Texts().mid(2),
              QStringList({QStringLiteral("导出数据或对话框尚未结束，请先完成后再关闭窗口。"),
                           QStringLiteral("导出完成，是否打开文件?")}));
    QFile report(folder.FilePath(QStringLiteral("report.txt")));
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    EXPECT_TRUE(report.readAll().contains(platform::ToAnsi(QStringLiteral("\r\n减肥    "))));

    // Once the export is done, the window is unloaded like any other.
    prompts.meanwhile = nullptr;
    main.mnuDig->trigger();
    main.mnuTool->trigger();
    EXPECT_EQ(mining, nullptr);
}

TEST_F(MainWindow, SideBarButtonActsOnTheWindowTheNavigationBoxNames) {
    MDIfrm& main = Started();
    main.Button(7)->trigger();  // nothing opened yet: only the button changes
    EXPECT_TRUE(main.Button(7)->isChecked());
    main.Button(7)->trigger();

    main.mnuTool->trigger();
    FakeWorkWindow* tools = Window(WorkWindowKind::Tools);
    tools->resize(1200, 700);
    const int scale = tools->ScaleWidth();

    main.Button(7)->trigger();
    EXPECT_TRUE(tools->sideBar->isHidden());
    EXPECT_EQ(tools->tabs->x(), platform::TwipsToPixels(100));
    for (QWidget* pane : tools->SideBarPanes())
        EXPECT_EQ(pane->width(), platform::TwipsToPixels(scale - 200));

    main.Button(7)->trigger();
    EXPECT_FALSE(tools->sideBar->isHidden());
    EXPECT_EQ(tools->tabs->x(), platform::TwipsToPixels(2880));
    for (QWidget* pane : tools->SideBarPanes())
        EXPECT_EQ(pane->width(), platform::TwipsToPixels(scale - 2800));

    // The named window closed since: the button changes nothing else.
    UnloadWorkWindow(WorkWindowKind::Tools);
    main.Button(7)->trigger();
    EXPECT_TRUE(main.Button(7)->isChecked());
}

TEST_F(MainWindow, ToolbarAndStatusBarTogglesFollowTheirMarks) {
    MDIfrm& main = Started();
    main.mnuGJL->trigger();
    EXPECT_FALSE(main.mnuGJL->isChecked());
    EXPECT_TRUE(main.Toolbar1->isHidden());
    main.mnuGJL->trigger();
    EXPECT_TRUE(main.mnuGJL->isChecked());
    EXPECT_FALSE(main.Toolbar1->isHidden());

    main.mnuZTL->trigger();
    EXPECT_FALSE(main.mnuZTL->isChecked());
    EXPECT_TRUE(main.StatusBar1->isHidden());
    main.mnuZTL->trigger();
    EXPECT_FALSE(main.StatusBar1->isHidden());
}

TEST_F(MainWindow, HidesToTheTrayAndComesBackInItsState) {
    MDIfrm& main = Started();
    main.setWindowState(Qt::WindowMinimized);
    EXPECT_FALSE(main.isVisible());
    EXPECT_EQ(main.hideme->text(), QStringLiteral("显示窗体"));
    tray.Last().Restore();
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(main.isMaximized());
    EXPECT_EQ(main.hideme->text(), QStringLiteral("隐藏窗体"));

    main.hideme->trigger();
    EXPECT_FALSE(main.isVisible());
    EXPECT_EQ(main.hideme->text(), QStringLiteral("显示窗体"));
    main.hideme->trigger();
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(main.isMaximized());

    tray.Last().MouseButton(1);
    EXPECT_FALSE(main.file->isVisible());
    tray.Last().MouseButton(2);
    EXPECT_TRUE(main.file->isVisible());
    main.file->close();
}

TEST_F(MainWindow, AWindowClosedWhileInTheTrayDoesNotEndTheProgram) {
    MDIfrm& main = Started();
    main.hideme->trigger();
    QTimer::singleShot(0, [] {
        QWidget message;  // a job's closing message while the main window is in the tray
        message.show();
        message.close();
        QTimer::singleShot(20, [] { QCoreApplication::exit(7); });
    });
    EXPECT_EQ(QCoreApplication::exec(), 7) << "the loop went on until the test ended it";
}

TEST_F(MainWindow, EveryWayOutAsksOnceAndNoKeepsTheProgram) {
    MDIfrm& main = Started();
    const struct {
        const char* way;
        std::function<void()> close;
    } ways[] = {
        {"退出软件", [&] { main.exitme->trigger(); }},
        {"退出(&X)", [&] { main.mnuTc->trigger(); }},
        {"close box", [&] { main.close(); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.way);
        prompts.Answer(Answer::No);
        way.close();
        EXPECT_TRUE(main.isVisible());
        EXPECT_EQ(programEnd.ends, 0);
        EXPECT_EQ(tray.Last().removals, 0);
    }
    prompts.Answer(Answer::Yes);
    main.exitme->trigger();
    EXPECT_EQ(prompts.Texts(), QStringList(4, kExitQuestion));
    EXPECT_EQ(prompts.Last().icon, platform::Icon::Information);
    EXPECT_EQ(prompts.Last().title, QStringLiteral("提示"));
    EXPECT_EQ(tray.Last().removals, 1);
    EXPECT_EQ(programEnd.ends, 1);
}

TEST_F(MainWindow, OnlineUpdateAsksAndEndsOnlyWhenTheUpdaterStarted) {
    MDIfrm& main = Started();
    prompts.Answer(Answer::No);
    main.mnuUpdate->trigger();
    EXPECT_TRUE(shell.started.isEmpty());

    shell.succeed = false;
    prompts.Answer(Answer::Yes);
    main.mnuUpdate->trigger();
    EXPECT_EQ(programEnd.ends, 0);
    EXPECT_FALSE(main.Updating);
    EXPECT_TRUE(prompts.LastText().startsWith(QStringLiteral("无法启动升级程序")));
    EXPECT_EQ(prompts.Last().icon, platform::Icon::Exclamation);

    shell.succeed = true;
    prompts.Answer(Answer::Yes);
    main.mnuUpdate->trigger();
    EXPECT_EQ(testing_support::LastOf(shell.styles), platform::ShowStyle::Minimized);
    EXPECT_EQ(programEnd.ends, 1);
    EXPECT_EQ(tray.Last().removals, 0);
    EXPECT_EQ(prompts.Texts().count(kExitQuestion), 0);
    EXPECT_EQ(testing_support::FirstOf(prompts.Texts()),
              QStringLiteral("未发现可用的更新，确实要更新吗？"));
}

TEST_F(MainWindow, HelpMenusOpenTheMakersPagesAndDialogs) {
    MDIfrm& main = Started();
    main.mnuAuthor->trigger();
    main.mnuHelp->trigger();
    EXPECT_EQ(shell.opened, (QStringList{QStringLiteral("http://www.tarnwick.com/"),
                                         QStringLiteral("http://www.tarnwick.com/help.html")}));

    main.mnuAbout->trigger();
    main.mnuAdvise->trigger();
    main.mnulogin->trigger();
    EXPECT_EQ(modals.titles, (QStringList{QStringLiteral("软件介绍"), QStringLiteral("意见和建议"),
                                          QStringLiteral("软件登录设置")}));
}

}  // namespace
