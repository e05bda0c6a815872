#include "shell/database_bootstrap.h"

#include <gtest/gtest.h>

#include <QFile>

#include "support/program_folder_fixture.h"
#include "support/recording_shell.h"
#include "support/scripted_prompts.h"

namespace {

using testing_support::RecordingShell;
using testing_support::ScriptedPrompts;
using testing_support::TemporaryProgramFolder;

const QString kMissingDatabase =
    QStringLiteral("缺失数据库文件，请下载后解压并复制到软件安装目录！");

// A program folder of its own, with prompt and shell doubles and a connection not yet opened.
class OpenDatabaseOrWarnTest : public ::testing::Test {
  protected:
    TemporaryProgramFolder folder;
    ScriptedPrompts prompts;
    RecordingShell shell;
    platform::Connection connection;
    bool missing = false;
};

TEST_F(OpenDatabaseOrWarnTest, MissingFileWarnsOnceHandsTheDownloadPageOverAndSetsTheFlag) {
    OpenDatabaseOrWarn(connection, nullptr, &missing);

    EXPECT_TRUE(missing);
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(prompts.prompts()[0].text, kMissingDatabase);
    EXPECT_EQ(prompts.prompts()[0].title, QStringLiteral("警告"));
    EXPECT_EQ(prompts.prompts()[0].icon, platform::Icon::Critical);
    ASSERT_EQ(shell.opened.size(), 1);
    EXPECT_TRUE(shell.opened[0].endsWith(QStringLiteral("/update/db.rar")));
    EXPECT_FALSE(QFile::exists(folder.FilePath(QStringLiteral("db.db")))) << "never created";

    // A later window on the same connection learns that the file is missing, silently.
    bool laterMissing = false;
    OpenDatabaseOrWarn(connection, nullptr, &laterMissing);
    EXPECT_TRUE(laterMissing);
    EXPECT_EQ(prompts.prompts().size(), 1u);
    EXPECT_EQ(shell.opened.size(), 1);
}

TEST_F(OpenDatabaseOrWarnTest, PresentFileOpensQuietlyAndOnlyOnce) {
    folder.AddFreshDatabase();

    OpenDatabaseOrWarn(connection, nullptr, &missing);
    OpenDatabaseOrWarn(connection, nullptr, nullptr);

    EXPECT_FALSE(missing);
    EXPECT_TRUE(connection.IsOpen());
    EXPECT_EQ(connection.ConnectionString(), folder.FilePath(QStringLiteral("db.db")));
    EXPECT_TRUE(prompts.prompts().empty());
    EXPECT_TRUE(shell.opened.empty());
}

TEST_F(OpenDatabaseOrWarnTest, UnreadableFileCountsAsMissing) {
    QFile file(folder.FilePath(QStringLiteral("db.db")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("this is not a database file at all, just text that fills the header page");
    file.close();

    OpenDatabaseOrWarn(connection, nullptr, &missing);

    EXPECT_TRUE(missing);
    EXPECT_EQ(prompts.Texts(), QStringList{kMissingDatabase});
}

int CountRows(platform::Connection& connection, const QString& table) {
    auto rows = connection.Query(QStringLiteral("select count(*) from ") + table);
    return rows ? rows->Field(0).toInt() : -1;
}

TEST(CreateMissingTables, CreatesExactlyTheMissingTablesAndKeepsTheRowsOfTheOthers) {
    TemporaryProgramFolder folder;
    folder.AddFreshDatabase();
    platform::Connection connection;
    ASSERT_TRUE(connection.Open(DatabasePath()));
    CreateMissingTables(connection, kBootstrapTables);
    ASSERT_TRUE(connection.Execute(QStringLiteral("drop table prs")));
    ASSERT_TRUE(connection.Execute(QStringLiteral("insert into kwsetting (k1) values (?)"),
                                   {QStringLiteral("种子")}));
    ASSERT_TRUE(connection.Execute(QStringLiteral("insert into kwlist (kws) values (?)"),
                                   {QStringLiteral("词")}));

    CreateMissingTables(connection, kBootstrapTables);

    EXPECT_EQ(CountRows(connection, QStringLiteral("prs")), 0);
    EXPECT_EQ(CountRows(connection, QStringLiteral("kwsetting")), 1);
    EXPECT_EQ(CountRows(connection, QStringLiteral("kwlist")), 1);
    // Every new row gets an id of its own, as an identity column gives.
    ASSERT_TRUE(connection.Execute(QStringLiteral("insert into prs (urls) values (?)"), {"a"}));
    ASSERT_TRUE(connection.Execute(QStringLiteral("insert into prs (urls) values (?)"), {"b"}));
    auto ids =
        connection.Query(QStringLiteral("select count(distinct id) from prs where id is not null"));
    ASSERT_TRUE(ids);
    EXPECT_EQ(ids->Field(0).toInt(), 2);
}

TEST(BootstrapSchema, CompletesTheSharedDatabase) {
    TemporaryProgramFolder folder;
    folder.AddFreshDatabase();
    ForgetSharedConnection();
    OpenDatabaseOrWarn(SharedConnection(), nullptr, nullptr);

    BootstrapSchema();

    for (const QString& table : kBootstrapTables)
        EXPECT_TRUE(SharedConnection().HasTable(table)) << table.toStdString();
    ForgetSharedConnection();
}

}  // namespace
