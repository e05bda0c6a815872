// The test environment that every test folder's fixtures build on: what it installs while a
// test runs, what it puts back, and what it lets a test that expects no prompts get away with.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QFile>

#include "platform/http_request.h"
#include "platform/program_folder.h"
#include "platform/prompts.h"
#include "platform/shell.h"
#include "shared/shared_connection.h"
#include "support/test_environment.h"

namespace {

using testing_support::Database;
using testing_support::Desktop;

// An environment a test makes and ends itself.
class Environment final : public testing_support::TestEnvironment {
  public:
    explicit Environment(Database database = Database::Fresh, Desktop desktop = Desktop::Untouched)
        : TestEnvironment(database, desktop) {}
    void TestBody() override {}
};

void ShowMessage() {
    platform::ThePrompts().MessageBox(QStringLiteral("提示"), QString(), platform::Buttons::Ok,
                                      platform::Icon::None);
}

using EnvironmentFixture = testing_support::TestEnvironment;

TEST_F(EnvironmentFixture, InstallsItsDoublesAndAFreshDatabaseOnTheSharedConnection) {
    EXPECT_EQ(&platform::TheClock(), &clock);
    EXPECT_EQ(platform::TheClock().Now(), QDateTime(QDate(2026, 12, 10), QTime(9, 0)));
    EXPECT_EQ(&platform::TheShell(), &shell);
    EXPECT_EQ(platform::ProgramFolder(), folder.Path());
    EXPECT_EQ(qgetenv(platform::kFakeWebVariable), web.Address().toUtf8());
    EXPECT_EQ(SharedConnection().ConnectionString(), folder.FilePath(QStringLiteral("db.db")));
    EXPECT_TRUE(SharedConnection().HasTable(QStringLiteral("keywords")));
    ShowMessage();
    EXPECT_EQ(prompts.Texts(), QStringList{QStringLiteral("提示")});

    // A double a test installs on top gives the environment's back when it goes.
    { testing_support::FakeClock other(QDateTime(QDate(2000, 1, 1), QTime(0, 0))); }
    EXPECT_EQ(&platform::TheClock(), &clock);
}

TEST(EnvironmentFixtureEnd, PutsBackWhatItReplacedAndForgetsTheConnection) {
    platform::Clock* const clockBefore = &platform::TheClock();
    platform::Shell* const shellBefore = &platform::TheShell();
    const QByteArray folderBefore = qgetenv(platform::kProgramFolderVariable);
    { Environment environment; }
    EXPECT_EQ(&platform::TheClock(), clockBefore);
    EXPECT_NONFATAL_FAILURE(ShowMessage(), "a prompt without a prompts double");
    EXPECT_EQ(&platform::TheShell(), shellBefore);
    EXPECT_EQ(qgetenv(platform::kProgramFolderVariable), folderBefore);
    EXPECT_FALSE(qEnvironmentVariableIsSet(platform::kFakeWebVariable));
    EXPECT_FALSE(SharedConnection().IsOpen());
    EXPECT_TRUE(SharedConnection().ConnectionString().isEmpty());
}

TEST(EnvironmentFixtureEnd, WithoutDatabaseThereIsNoneToOpen) {
    Environment environment(Database::Missing);
    EXPECT_FALSE(QFile::exists(environment.folder.FilePath(QStringLiteral("db.db"))));
    EXPECT_FALSE(SharedConnection().IsOpen());
}

TEST(EnvironmentFixtureEnd, APromptOrShellActionATestDidNotExpectFailsIt) {
    EXPECT_NONFATAL_FAILURE(
        {
            Environment environment;
            ShowMessage();
        },
        "prompts in a test that expects none");
    EXPECT_NONFATAL_FAILURE(
        {
            Environment environment;
            platform::TheShell().Open(QStringLiteral("http://example.cn/"));
        },
        "shell actions in a test that expects none");
    {
        Environment looking;
        ShowMessage();
        EXPECT_EQ(looking.prompts.Texts(), QStringList{QStringLiteral("提示")});
    }
    {
        Environment desktop(Database::Fresh, Desktop::Used);
        ShowMessage();
        platform::TheShell().Open(QStringLiteral("http://example.cn/"));
    }
}

}  // namespace
