#include "shared/folder_picker.h"

#include <gtest/gtest.h>

#include "support/test_environment.h"

namespace {

using testing_support::ScriptedPrompts;
using FolderPickerTest = testing_support::TestEnvironment;

TEST_F(FolderPickerTest, AsksWithTheStartFolderAndPromptAndReturnsTheAnswer) {
    prompts.Type(QStringLiteral("/home/用户/导出")).Type(QString());

    EXPECT_EQ(BrowseForFolder(QStringLiteral("/tmp"), QStringLiteral("请选择保存目录")),
              QStringLiteral("/home/用户/导出"));
    EXPECT_EQ(BrowseForFolder(QString(), QString()), QString());  // cancelled

    ASSERT_EQ(prompts.prompts().size(), 2u);
    EXPECT_EQ(prompts.prompts()[0].kind, ScriptedPrompts::Kind::Folder);
    EXPECT_EQ(prompts.prompts()[0].text, QStringLiteral("请选择保存目录"));
    EXPECT_EQ(prompts.prompts()[0].title, QStringLiteral("/tmp"));
    EXPECT_EQ(prompts.prompts()[1].text, QStringLiteral("【请选择文件夹】"));
    EXPECT_EQ(prompts.prompts()[1].title, QString());
    EXPECT_TRUE(prompts.Exhausted());
}

}  // namespace
