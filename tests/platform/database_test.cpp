#include "platform/database.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "support/program_folder_fixture.h"

namespace {

// A statement text runs again and again on one prepared statement: every use sees its own
// values, and the statement follows the table when the table is made anew.
TEST(Connection, AStatementRunAgainSeesItsNewValuesAndTheTableAsItStandsNow) {
    testing_support::TemporaryProgramFolder folder;
    folder.AddFreshDatabase();
    platform::Connection connection;
    ASSERT_TRUE(connection.Open(folder.FilePath(QStringLiteral("db.db"))));
    const QString insert = QStringLiteral("insert into t (a) values (?)");
    const QString select = QStringLiteral("select a from t where a = ?");
    ASSERT_TRUE(connection.Execute(QStringLiteral("create table t (a text)")));
    for (const char* value : {"x", "y"}) ASSERT_TRUE(connection.Execute(insert, {value}));
    EXPECT_EQ(connection.Query(select, {QStringLiteral("y")})->RecordCount(), 1);
    EXPECT_EQ(connection.Query(select, {QStringLiteral("z")})->RecordCount(), 0);

    ASSERT_TRUE(connection.Execute(QStringLiteral("drop table t")));
    EXPECT_FALSE(connection.Execute(insert, {QStringLiteral("x")}));
    EXPECT_FALSE(connection.Query(select, {QStringLiteral("x")}));
    ASSERT_TRUE(connection.Execute(QStringLiteral("create table t (b int, a text)")));
    EXPECT_TRUE(connection.Execute(insert, {QStringLiteral("w")}));
    // Any text comes back whole, an empty one as empty, not null.
    const QString odd = QStringLiteral("减'\"😀한") + QString(300, u'长');
    for (const QString& text : {odd, QString()}) {
        ASSERT_TRUE(connection.Execute(insert, {text}));
        const std::optional<platform::Recordset> found = connection.Query(select, {text});
        ASSERT_TRUE(found && found->RecordCount() == 1);
        EXPECT_EQ(found->Field(0).toString(), text);
        EXPECT_FALSE(found->Field(0).isNull());
    }
    EXPECT_EQ(connection.Query(select, {QStringLiteral("w")})->Field(0).toString(),
              QStringLiteral("w"));

    // Many other texts in between, then the first again, then a new opening.
    for (int i = 0; i < 100; ++i) ASSERT_TRUE(connection.Query(QStringLiteral("select %1").arg(i)));
    EXPECT_EQ(connection.Query(select, {QStringLiteral("w")})->RecordCount(), 1);
    ASSERT_TRUE(connection.Open(folder.FilePath(QStringLiteral("db.db"))));
    EXPECT_EQ(connection.Query(select, {QStringLiteral("w")})->RecordCount(), 1);
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

int Count(platform::Connection& connection, const QString& sql) {
    const std::optional<platform::Recordset> found = connection.Query(sql);
    return found ? found->Field(0).toInt() : -1;
}

// A program killed while it wrote leaves its write-ahead log beside db.db; a user who then
// copies a fresh db.db over the old one must get the fresh file, sound, and not the old log's
// pages written into it. The old log is kept aside, not deleted.
TEST(Connection, ALogLeftBesideAFreshlyCopiedFileIsSetAsideNotReplayedIntoIt) {
    testing_support::TemporaryProgramFolder folder;
    folder.AddFreshDatabase();
    const QString path = folder.FilePath(QStringLiteral("db.db"));
    const QString fresh = folder.FilePath(QStringLiteral("fresh.db"));
    ASSERT_TRUE(QFile::copy(path, fresh));
    QByteArray staleLog;
    {
        platform::Connection old;
        ASSERT_TRUE(old.Open(path));
        ASSERT_TRUE(old.BeginWrite());
        for (int i = 0; i < 300; ++i)
            ASSERT_TRUE(old.Execute(QStringLiteral("insert into keywords (keys) values (?)"),
                                    {QStringLiteral("旧关键词%1").arg(i)}));
        ASSERT_TRUE(old.Execute(QStringLiteral("create table extra (a text)")));
        ASSERT_TRUE(old.Commit());
        staleLog = FileBytes(path + QStringLiteral("-wal"));  // as a kill would leave it
        ASSERT_GT(staleLog.size(), 32);
    }
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::copy(fresh, path));
    WriteBytes(path + QStringLiteral("-wal"), staleLog);

    platform::Connection connection;
    ASSERT_TRUE(connection.Open(path)) << connection.LastError().toStdString();
    const std::optional<platform::Recordset> check =
        connection.Query(QStringLiteral("pragma integrity_check"));
    ASSERT_TRUE(check);
    EXPECT_EQ(check->Field(0).toString(), QStringLiteral("ok"));
    EXPECT_EQ(Count(connection, QStringLiteral("select count(*) from keywords")), 0);
    EXPECT_FALSE(connection.HasTable(QStringLiteral("extra")));
    EXPECT_TRUE(connection.Execute(QStringLiteral("insert into keywords (keys) values ('新')")));
    connection.Close();
    bool kept = false;
    for (const QString& name : QDir(folder.FilePath(QString())).entryList(QDir::Files))
        kept |= FileBytes(folder.FilePath(name)) == staleLog;
    EXPECT_TRUE(kept);
}

}  // namespace
