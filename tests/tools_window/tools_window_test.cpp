#include "tools_window/tools_window.h"

#include <gtest/gtest.h>

#include "shell/database_bootstrap.h"
#include "support/program_folder_fixture.h"
#include "support/recording_shell.h"
#include "support/scripted_prompts.h"

namespace {

TEST(ToolsWindow, LoadOpensItsOwnConnectionAndCreatesTheCacheTable) {
    testing_support::TemporaryProgramFolder folder;
    folder.AddFreshDatabase();
    ForgetSharedConnection();
    关键词工具 window;

    window.Form_Load();

    EXPECT_FALSE(window.ToolsDbMissing);
    EXPECT_TRUE(window.ToolsConnection.IsOpen());
    EXPECT_TRUE(window.ToolsConnection.HasTable(QStringLiteral("prs")));
    EXPECT_FALSE(window.ToolsConnection.HasTable(QStringLiteral("kwlist")));
    EXPECT_TRUE(SharedConnection().ConnectionString().isEmpty()) << "not the shared one";
    EXPECT_EQ(window.SideBarPanes(),
              (QList<QWidget*>{window.pic1, window.pic3, window.pic4, window.Pic5, window.pic6}));
}

TEST(ToolsWindow, LoadWithoutDatabaseWarnsAndSetsItsFlag) {
    testing_support::TemporaryProgramFolder folder;
    testing_support::ScriptedPrompts prompts;
    testing_support::RecordingShell shell;
    关键词工具 window;

    window.Form_Load();

    EXPECT_TRUE(window.ToolsDbMissing);
    EXPECT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(shell.opened.size(), 1);
}

}  // namespace
