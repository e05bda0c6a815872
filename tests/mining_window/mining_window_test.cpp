#include "mining_window/mining_window.h"

#include <gtest/gtest.h>

#include "shell/database_bootstrap.h"
#include "support/program_folder_fixture.h"
#include "support/recording_shell.h"
#include "support/scripted_prompts.h"

namespace {

TEST(MiningWindow, LoadWithoutDatabaseSetsItsFlagAndKeepsItsDesignTexts) {
    testing_support::TemporaryProgramFolder folder;
    testing_support::ScriptedPrompts prompts;
    testing_support::RecordingShell shell;
    ForgetSharedConnection();
    关键词挖掘 window;

    window.Form_Load();

    EXPECT_TRUE(window.MiningDbMissing);
    EXPECT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(window.txtbaiduse->Text(), QStringLiteral("3"));
    EXPECT_EQ(window.txtsetse->Text(), QStringLiteral("1"));
    EXPECT_EQ(window.GapBox(), window.txtbaiduse);
    EXPECT_EQ(window.SideBarPanes(),
              (QList<QWidget*>{window.pic1, window.pic2, window.pic3, window.pic4}));
    ForgetSharedConnection();
}

}  // namespace
