#pragma once

#include <gtest/gtest.h>

#include "fakeweb/fake_web.h"
#include "support/fake_clock.h"
#include "support/program_folder_fixture.h"
#include "support/qt_printers.h"
#include "support/recording_shell.h"
#include "support/scripted_prompts.h"
#include "support/shared_database.h"

namespace testing_support {

// Whether the code under test may show prompts and use the desktop's shell, each recorded for
// the test to check, or must leave them untouched: then a shell action, or a prompt that the
// test neither scripted nor looked at, fails the test, as it does where no double is installed.
enum class Desktop { Untouched, Used };

// The fixture every test folder's fixtures build on: a temporary program folder with its own
// settings, the fake clock, the loopback web (TARNWICK_FAKEWEB), the scripted prompts, the
// recording shell, and the shared connection on a fresh db.db (or without db.db). Each piece
// restores what it replaced when the test ends.
class TestEnvironment : public ::testing::Test {
  protected:
    explicit TestEnvironment(Database database = Database::Fresh,
                             Desktop desktop = Desktop::Untouched);
    ~TestEnvironment() override;

  public:
    // What the test works with; helpers of a fixture may reach them too.
    TemporaryProgramFolder folder;
    FakeClock clock;
    fakeweb::FakeWeb web;
    ScriptedPrompts prompts;
    RecordingShell shell;
    SharedDatabase db;

  private:
    Desktop desktop_;
};

}  // namespace testing_support
