#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <map>
#include <memory>
#include <optional>

#include "fakeweb/fake_web.h"
#include "shared/busy_indicator.h"
#include "shell/database_bootstrap.h"
#include "shell/loading_splash.h"
#include "shell/program_end.h"
#include "shell/work_window.h"
#include "shell/work_windows.h"
#include "support/fake_browser.h"
#include "support/fake_clock.h"
#include "support/fake_tray.h"
#include "support/program_folder_fixture.h"
#include "support/qt_printers.h"
#include "support/recording_shell.h"
#include "support/scripted_modals.h"
#include "support/scripted_prompts.h"

namespace shell_testing {

// A work window with only what the main window uses; it records its loads and whether the
// loading splash was on screen while it loaded.
class FakeWorkWindow final : public WorkWindow {
  public:
    FakeWorkWindow()
        : sideBar(new QWidget(this)),
          tabs(new QWidget(this)),
          paneA(new QWidget(tabs)),
          paneB(new QWidget(tabs)),
          gap(new platform::TextBox(this)),
          reaction(new platform::TextBox(this)) {
        gap->SetText(QStringLiteral("3"));
        reaction->SetText(QStringLiteral("1"));
        resize(900, 600);
    }

    void Form_Load() override {
        ++loads;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (dynamic_cast<frmLoading*>(top) && top->isVisible()) splashSeen = true;
        OpenDatabaseOrWarn(SharedConnection(), this, &missing);
    }
    bool DbMissing() const override { return missing; }
    bool JobRunning() const override { return jobRunning; }
    QWidget* SideBar() override { return sideBar; }
    QWidget* PageTabs() override { return tabs; }
    QList<QWidget*> SideBarPanes() override { return {paneA, paneB}; }
    platform::TextBox* GapBox() override { return gap; }
    platform::TextBox* ReactionBox() override { return reaction; }

    int loads = 0;
    bool splashSeen = false;
    bool missing = false;
    bool jobRunning = false;
    QWidget* sideBar;
    QWidget* tabs;
    QWidget* paneA;
    QWidget* paneB;
    platform::TextBox* gap;
    platform::TextBox* reaction;
};

// Counts the ends of the program instead of ending the test.
struct RecordingProgramEnd {
    RecordingProgramEnd() {
        InstallProgramEnd([this] { ++ends; });
    }
    ~RecordingProgramEnd() { InstallProgramEnd({}); }
    int ends = 0;
};

// Everything a shell test runs against: its own program folder and settings, the loopback web
// with the version page, a fake clock, and doubles for prompts, shell, tray, browser, modal
// dialogs and the end of the program; fake work windows of the three kinds.
class ShellTest : public ::testing::Test {
  protected:
    ShellTest() {
        ForgetSharedConnection();
        BusyIndicator::Attach({});
        BusyIndicator::Set(QString());
        for (WorkWindowKind kind :
             {WorkWindowKind::Mining, WorkWindowKind::Tools, WorkWindowKind::Database})
            RegisterWorkWindow(kind, [this, kind] {
                auto* window = new FakeWorkWindow;
                created[kind] = window;
                return window;
            });
        ServeVersionPage(QStringLiteral("4.0"), QStringLiteral(">推广链接"));
    }
    ~ShellTest() override {
        for (WorkWindowKind kind :
             {WorkWindowKind::Mining, WorkWindowKind::Tools, WorkWindowKind::Database})
            UnloadWorkWindow(kind);
        ForgetSharedConnection();
    }

    void ServeVersionPage(const QString& version, const QString& marker) {
        QString page = QStringLiteral("<html><body><form>");
        if (!version.isNull())
            page += QStringLiteral("<input type=hidden name=\"ver\" value=\"%1\">").arg(version);
        if (!marker.isNull())
            page += QStringLiteral("<input name=\"baidutag\" value=\"%1\">").arg(marker);
        web.Serve(QStringLiteral("update.tarnwick.com"), QStringLiteral("/update/ver.htm"),
                  fakeweb::Page::Text(page + QStringLiteral("</form></body></html>"),
                                      QStringLiteral("gbk")));
    }

    int VersionRequests() const {
        return static_cast<int>(web.Requests(QStringLiteral("update.tarnwick.com")).size());
    }

    FakeWorkWindow* Window(WorkWindowKind kind) {
        return dynamic_cast<FakeWorkWindow*>(LoadedWorkWindow(kind));
    }

    testing_support::TemporaryProgramFolder folder;
    testing_support::FakeClock clock;
    fakeweb::FakeWeb web;
    testing_support::ScriptedPrompts prompts;
    testing_support::RecordingShell shell;
    testing_support::FakeTray tray;
    testing_support::FakeBrowsers browsers;
    testing_support::ScriptedModals modals;
    RecordingProgramEnd programEnd;
    std::map<WorkWindowKind, FakeWorkWindow*> created;
};

}  // namespace shell_testing
