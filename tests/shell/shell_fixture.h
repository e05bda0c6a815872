#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <map>
#include <memory>
#include <optional>

#include "shared/busy_indicator.h"
#include "shell/database_bootstrap.h"
#include "shell/loading_splash.h"
#include "shell/program_end.h"
#include "shell/work_window.h"
#include "shell/work_windows.h"
#include "support/fake_browser.h"
#include "support/fake_tray.h"
#include "support/page_files.h"
#include "support/scripted_modals.h"
#include "support/test_environment.h"

namespace shell_testing {

inline const testing_support::PageFiles kPages{__FILE__};

// The window the loading splash lies over as a child of it, while it is shown; nullptr when
// no splash is shown, or one is shown as a window of its own.
inline QWidget* SplashShownOver() {
    for (QWidget* widget : QApplication::allWidgets())
        if (dynamic_cast<frmLoading*>(widget) && widget->isVisible())
            return widget->isWindow() ? nullptr : widget->parentWidget();
    return nullptr;
}

// A work window with only what the main window uses; it records its loads and where the
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
        splashOver = SplashShownOver();
        OpenDatabaseOrWarn(SharedConnection(), this, &missing);
    }
    bool DbMissing() override { return missing; }
    bool JobRunning() const override { return jobRunning; }
    QWidget* SideBar() override { return sideBar; }
    QWidget* PageTabs() override { return tabs; }
    QList<QWidget*> SideBarPanes() override { return {paneA, paneB}; }
    platform::TextBox* GapBox() override { return gap; }
    platform::TextBox* ReactionBox() override { return reaction; }

    int loads = 0;
    // The window the loading splash lay over as a child of it while the window loaded; nullptr
    // when it was not shown, or shown as a window of its own.
    QWidget* splashOver = nullptr;
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

// Everything a shell test runs against: the test environment without db.db (a test adds one
// for the program to open), the loopback web serving the version page, and doubles for tray,
// browser, modal dialogs and the end of the program; fake work windows of the three kinds.
class ShellTest : public testing_support::TestEnvironment {
  protected:
    ShellTest()
        : TestEnvironment(testing_support::Database::Missing, testing_support::Desktop::Used) {
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
    }

    // The version page (pages/ver.htm, version "4.0", marker ">推广链接") announcing `version`
    // and `marker`, answered with `status`; an empty one gives none.
    void ServeVersionPage(const QString& version, const QString& marker, int status = 200) {
        const QString page =
            kPages.Text(QStringLiteral("ver.htm"), QStringLiteral("gb2312"))
                .replace(QStringLiteral("name=\"ver\" value=\"4.0\""),
                         QStringLiteral("name=\"ver\" value=\"%1\"").arg(version))
                .replace(QStringLiteral("name=\"baidutag\" value=\">推广链接\""),
                         QStringLiteral("name=\"baidutag\" value=\"%1\"").arg(marker));
        web.Serve(QStringLiteral("update.tarnwick.com"), QStringLiteral("/update/ver.htm"),
                  fakeweb::Page::Text(page, QStringLiteral("gbk")).Status(status));
    }

    int VersionRequests() const {
        return static_cast<int>(web.Requests(QStringLiteral("update.tarnwick.com")).size());
    }

    FakeWorkWindow* Window(WorkWindowKind kind) {
        return dynamic_cast<FakeWorkWindow*>(LoadedWorkWindow(kind));
    }

    testing_support::FakeTray tray;
    testing_support::FakeBrowsers browsers;
    testing_support::ScriptedModals modals;
    RecordingProgramEnd programEnd;
    std::map<WorkWindowKind, FakeWorkWindow*> created;
};

}  // namespace shell_testing
