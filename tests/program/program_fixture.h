#pragma once

#include <QMdiSubWindow>
#include <QPointer>
#include <chrono>
#include <functional>
#include <memory>

#include "app/program_windows.h"
#include "database_window/database_window.h"
#include "mining_window/mining_window.h"
#include "shell/main_window.h"
#include "shell/shell_fixture.h"
#include "tools_window/tools_window.h"

namespace program_testing {

// How long the loopback web holds back every answer: each page the program asks for is awaited
// in a nested loop, where the user's actions run.
inline constexpr std::chrono::milliseconds kPageDelay{40};

// The program as main() opens it: the real work windows, research pages and comparison hand-off
// registered, the main window started on a fresh db.db, every page of the loopback web late by
// kPageDelay; the desktop, the tray, the browsers, the modal dialogs and the end of the program
// are the shell tests' doubles.
class ProgramTest : public shell_testing::ShellTest {
  protected:
    ProgramTest();
    ~ProgramTest() override;

    // The window of `kind` opened through its menu item, as the user opens it.
    关键词挖掘& OpenMining();
    关键词工具& OpenTools();
    关键词数据库& OpenDatabase();
    // The loaded window of each kind; nullptr when it is not loaded.
    关键词挖掘* Mining() const;
    关键词工具* Tools() const;
    关键词数据库* Database() const;
    // The child window in front: its work window, or nullptr.
    QWidget* Front() const;

    // The mining window's sources serve their fixture pages for any seed; the volume service
    // answers "35-120" for every keyword. Metrics stay unticked until a test ticks them.
    void ServeMiningSources();
    // The mining window opened and with a finished regular run on "减肥" without metrics; the
    // mining sources must be served.
    关键词挖掘& MinedWindow();
    // The regular pane's metric boxes (volume, count, save) set to `ticked`.
    static void TickRegularMetrics(关键词挖掘& window, bool ticked);

    // Runs `action` from the event loop once `when` holds: inside a wait of the code the test
    // runs next. Each action runs once.
    void When(std::function<bool()> when, std::function<void()> action);
    // Runs `action` inside the first wait of the code the test runs next.
    void InsideNextWait(std::function<void()> action);
    // Lets the program's own event loop run, as it does once every handler has returned: what
    // was deferred until no wait runs happens now.
    static void BackInTheEventLoop();

    ProgramFields fields;
    std::unique_ptr<MDIfrm> main;
};

}  // namespace program_testing
