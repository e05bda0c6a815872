#include "platform/database.h"

#include <gtest/gtest.h>

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

}  // namespace
