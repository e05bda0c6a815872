// What the test main gives every test program: a home of its own and doubles that refuse
// whatever a test did not script.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <QDir>
#include <QStandardPaths>

#include "platform/prompts.h"
#include "platform/shell.h"

namespace {

TEST(TestEnvironment, SettingsAndFilesGoIntoAHomeOfTheRunsOwn) {
    const passwd* user = getpwuid(getuid());
    ASSERT_NE(user, nullptr);
    const QString realHome = QDir(QString::fromLocal8Bit(user->pw_dir)).canonicalPath();
    EXPECT_NE(QDir(QDir::homePath()).canonicalPath(), realHome);
    // The file dialog keeps its state in QtProject.conf there.
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    EXPECT_TRUE(config.startsWith(QDir::homePath())) << config.toStdString();
}

TEST(TestEnvironment, AnUnscriptedPromptFailsTheTestInsteadOfWaiting) {
    EXPECT_NONFATAL_FAILURE(
        platform::ThePrompts().MessageBox(QStringLiteral("意外"), QString(), platform::Buttons::Ok,
                                          platform::Icon::None),
        "a prompt without a prompts double: 意外");
    EXPECT_NONFATAL_FAILURE(
        EXPECT_EQ(platform::ThePrompts().BrowseForFolder(QString(), QStringLiteral("文件夹")),
                  QString()),
        "a prompt without a prompts double: 文件夹");
    EXPECT_NONFATAL_FAILURE(
        platform::ThePrompts().InputBox(QStringLiteral("名字"), QString(), QString()), "名字");
    EXPECT_NONFATAL_FAILURE(platform::ThePrompts().OpenFile(QStringLiteral("打开"), QString()),
                            "打开");
}

TEST(TestEnvironment, AnUnscriptedShellActionFailsTheTestAndOpensNothing) {
    EXPECT_NONFATAL_FAILURE(
        EXPECT_FALSE(platform::TheShell().Open(QStringLiteral("http://example.cn/"))),
        "a shell action without a shell double: http://example.cn/");
    EXPECT_NONFATAL_FAILURE(
        platform::TheShell().StartProgram(QStringLiteral("/bin/true"), platform::ShowStyle::Hidden),
        "/bin/true");
    EXPECT_NONFATAL_FAILURE(platform::TheShell().EditTextFile(QStringLiteral("a.txt")), "a.txt");
}

}  // namespace
