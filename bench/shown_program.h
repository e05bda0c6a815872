#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QTimer>
#include <memory>

#include "app/program_windows.h"
#include "database_window/database_window.h"
#include "mining_window/mining_window.h"
#include "platform/clock.h"
#include "platform/settings_hive.h"
#include "shared/registry_store.h"
#include "shell/main_window.h"
#include "shell/work_windows.h"
#include "support/fake_browser.h"
#include "support/fake_tray.h"
#include "support/program_folder_fixture.h"
#include "support/recording_shell.h"
#include "support/scripted_prompts.h"

// The program as main() opens it, its main window shown maximised (offscreen) on the clock in
// force (the system's, unless a benchmark installs another), so that its lists and status bar
// are drawn as a user sees them; the desktop, the tray,
// the browsers and the prompts are the tests' doubles. The day's version check is done, so
// that the start asks for no page.
class ShownProgram {
  public:
    ShownProgram() {
        folder.AddFreshDatabase();
        mReg::CreateConfigKey(platform::Hive::CurrentUser, mReg::ConfigKey);
        mReg::SetConfigValue(platform::Hive::CurrentUser, mReg::ConfigKey,
                             QStringLiteral("updatedt"),
                             platform::TheClock().Today().toString(QStringLiteral("yyyy-MM-dd")));
        QFile tag(folder.FilePath(QStringLiteral("baidutag.txt")));
        tag.open(QIODevice::WriteOnly);
        tag.write("tag\r\n");
        tag.close();
        RegisterProgramWindows(fields);
        main = std::make_unique<MDIfrm>();
        main->MDIForm_Load();
    }
    ~ShownProgram() { UnloadAll(); }

    // The mining window opened through its menu item.
    关键词挖掘& Mining() {
        main->mnuDig->trigger();
        return *dynamic_cast<关键词挖掘*>(LoadedWorkWindow(WorkWindowKind::Mining));
    }
    // The keyword database window opened anew through its menu item: its lists are loaded
    // from the database open now.
    关键词数据库& FreshDatabase() {
        UnloadWorkWindow(WorkWindowKind::Database);
        main->mnuDatabase->trigger();
        Settle();
        return *dynamic_cast<关键词数据库*>(LoadedWorkWindow(WorkWindowKind::Database));
    }
    // Lets the windows lay out and draw what they show, as they stand when the user clicks: the
    // window system asks for each drawing on a timer of its own.
    static void Settle() {
        const QDeadlineTimer settled(std::chrono::milliseconds(200));
        while (!settled.hasExpired()) {
            QTimer bound;
            bound.setSingleShot(true);
            bound.start(std::chrono::milliseconds(10));
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
    }
    void UnloadAll() {
        for (WorkWindowKind kind :
             {WorkWindowKind::Mining, WorkWindowKind::Tools, WorkWindowKind::Database})
            UnloadWorkWindow(kind);
    }

    testing_support::TemporaryProgramFolder folder;
    testing_support::FakeTray tray;
    testing_support::FakeBrowsers browsers;
    testing_support::ScriptedPrompts prompts;
    testing_support::RecordingShell shell;
    ProgramFields fields;
    std::unique_ptr<MDIfrm> main;
};
