#include "database_window/database_window.h"

#include <gtest/gtest.h>

#include "shell/database_bootstrap.h"
#include "support/program_folder_fixture.h"
#include "support/recording_shell.h"
#include "support/scripted_prompts.h"

namespace {

TEST(DatabaseWindow, LoadOpensTheSharedConnectionOrSetsItsFlag) {
    for (bool present : {false, true}) {
        SCOPED_TRACE(present ? "db.db present" : "db.db missing");
        testing_support::TemporaryProgramFolder folder;
        if (present) folder.AddFreshDatabase();
        testing_support::ScriptedPrompts prompts;
        testing_support::RecordingShell shell;
        ForgetSharedConnection();
        关键词数据库 window;

        window.Form_Load();

        EXPECT_EQ(window.KeywordDbMissing, !present);
        EXPECT_EQ(SharedConnection().IsOpen(), present);
        EXPECT_EQ(prompts.prompts().size(), present ? 0u : 1u);
        EXPECT_EQ(window.txtsetse->Text(), QStringLiteral("1"));
        EXPECT_EQ(window.SideBarPanes(), (QList<QWidget*>{window.pic1, window.pic2}));
        ForgetSharedConnection();
    }
}

}  // namespace
