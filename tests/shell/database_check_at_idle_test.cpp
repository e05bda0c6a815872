// The run's full check of db.db tells a damaged file once, in the user's words, and a sound one
// not at all.
#include "shell/database_check_at_idle.h"

#include <gtest/gtest.h>

#include <QFile>

#include "shared/shared_connection.h"
#include "support/other_program.h"
#include "support/test_environment.h"

namespace {

using testing_support::OtherProgramQuery;

class DatabaseCheckAtIdleTest : public testing_support::TestEnvironment {
  protected:
    DatabaseCheckAtIdleTest()
        : TestEnvironment(testing_support::Database::Fresh, testing_support::Desktop::Used) {
        EXPECT_EQ(OtherProgramQuery(DatabasePath(),
                                    QStringLiteral("create index if not exists keywords_keys on "
                                                   "keywords (keys)")),
                  QString());
        EXPECT_EQ(OtherProgramQuery(
                      DatabasePath(),
                      QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 "
                                     "from n where i < 3000) insert into keywords (keys) select "
                                     "'词' || i from n")),
                  QString());
    }
    // Bytes of one of the index's leaves overwritten: every page still reads, but the index no
    // longer finds what its table holds.
    void DamageAnIndexLeaf() const {
        const qint64 leaf =
            OtherProgramQuery(DatabasePath(),
                              QStringLiteral("select pageno from dbstat where name = "
                                             "'keywords_keys' and pagetype = 'leaf' order by "
                                             "pageno limit 1 offset 3"))
                .toLongLong();
        ASSERT_GT(leaf, 0);
        QFile file(DatabasePath());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.seek(leaf * 4096 - 400);
        file.write(QByteArray(24, '\xA5'));
    }
};

TEST_F(DatabaseCheckAtIdleTest, ADamagedFileIsToldOnceAndASoundOneNotAtAll) {
    ASSERT_TRUE(SharedConnection().Open(DatabasePath()));
    {
        DatabaseCheckAtIdle check;
        check.RunToEnd();
        EXPECT_TRUE(prompts.prompts().empty()) << prompts.LastText().toStdString();
    }
    DamageAnIndexLeaf();
    DatabaseCheckAtIdle check;
    check.RunToEnd();
    ASSERT_EQ(prompts.prompts().size(), 1u);
    EXPECT_TRUE(prompts.LastText().startsWith(QStringLiteral("数据库文件已损坏")));
    EXPECT_TRUE(prompts.LastText().contains(QStringLiteral("用该文件的备份替换")));
    EXPECT_EQ(prompts.prompts()[0].title, QStringLiteral("警告"));
    EXPECT_EQ(prompts.prompts()[0].icon, platform::Icon::Critical);
}

}  // namespace
