// The database file among other programs: they read it, lock it, replace it, or leave their
// logs beside it, each in a process of its own.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "platform/database.h"
#include "support/other_program.h"
#include "support/program_folder_fixture.h"

namespace {

using testing_support::OtherProgramQuery;
using testing_support::OtherProgramSession;

constexpr std::chrono::milliseconds kShortLockWait{200};

class DatabaseAmongOtherPrograms : public ::testing::Test {
  protected:
    DatabaseAmongOtherPrograms() { folder.AddFreshDatabase(); }

    QString Path(const QString& name = QStringLiteral("db.db")) const {
        return folder.FilePath(name);
    }
    static bool InsertKeywords(platform::Connection& db, int first, int count) {
        for (int i = first; i < first + count; ++i)
            if (!db.Execute(QStringLiteral("insert into keywords (keys) values (?)"),
                            {QStringLiteral("词%1").arg(i)}))
                return false;
        return true;
    }
    QString CountSeenByAnotherProgram() const {
        return OtherProgramQuery(Path(), QStringLiteral("select count(*) from keywords"));
    }

    testing_support::TemporaryProgramFolder folder;
};

// A second connection of the program to the file (a window that opened its own) must leave the
// first one's locks alone: another program that reads the file in between would otherwise take
// the log for abandoned, fold it in and delete it, and the rows written after that are lost.
TEST_F(DatabaseAmongOtherPrograms, RowsWrittenAfterASecondOpeningAndAnotherProgramsReadAreKept) {
    platform::Connection program;
    ASSERT_TRUE(program.Open(Path()));
    ASSERT_TRUE(InsertKeywords(program, 0, 10));
    {
        platform::Connection second;
        ASSERT_TRUE(second.Open(Path()));
        EXPECT_EQ(CountSeenByAnotherProgram(), QStringLiteral("10"));
        ASSERT_TRUE(InsertKeywords(program, 10, 16));
        {
            OtherProgramSession exclusive(Path(), {QStringLiteral("begin exclusive")});
            ASSERT_TRUE(exclusive.Ready()) << exclusive.Said().toStdString();
            program.SetLockWait(kShortLockWait);
            EXPECT_FALSE(InsertKeywords(program, 26, 1)) << "wrote under another's lock";
            EXPECT_EQ(program.LastFailure(), platform::Failure::Locked);
        }
    }
    program.Close();
    EXPECT_EQ(CountSeenByAnotherProgram(), QStringLiteral("26"));
    EXPECT_EQ(OtherProgramQuery(Path(), QStringLiteral("pragma integrity_check")),
              QStringLiteral("ok"));
}

// A file that another program holds at the open is not given up: the next statement tries
// again, once, without waiting, and the file serves as soon as the other program lets go.
TEST_F(DatabaseAmongOtherPrograms, AFileHeldAtTheOpenServesOnceTheOtherProgramLetsGo) {
    platform::Connection program;
    program.SetLockWait(kShortLockWait);
    {
        OtherProgramSession exclusive(Path(),
                                      {QStringLiteral("begin exclusive"),
                                       QStringLiteral("insert into keywords (keys) values ('x')")});
        ASSERT_TRUE(exclusive.Ready()) << exclusive.Said().toStdString();
        EXPECT_FALSE(program.Open(Path()));
        EXPECT_EQ(program.LastFailure(), platform::Failure::Locked);
        EXPECT_TRUE(program.OpenPending());
        const int waits = program.LockWaits();
        EXPECT_FALSE(program.Query(QStringLiteral("select count(*) from keywords")));
        EXPECT_EQ(program.LockWaits(), waits) << "a retry held up the window";
    }
    ASSERT_TRUE(InsertKeywords(program, 0, 3)) << program.LastError().toStdString();
    EXPECT_FALSE(program.OpenPending());
    program.Close();
    EXPECT_EQ(CountSeenByAnotherProgram(), QStringLiteral("3")) << "the other's row rolled back";
}

// A file moved, deleted or replaced while the program has it open takes no more writes: they
// would go into a file nobody will see again. The write after that failure opens the file that
// stands at the path then.
TEST_F(DatabaseAmongOtherPrograms, AFileMovedAwayTakesNoWritesAndTheNextWriteOpensTheNewFile) {
    platform::Connection program;
    ASSERT_TRUE(program.Open(Path()));
    ASSERT_TRUE(InsertKeywords(program, 0, 5));
    folder.AddFreshDatabase(QStringLiteral("copy.db"));
    ASSERT_TRUE(QFile::rename(Path(), Path(QStringLiteral("moved.db"))));

    EXPECT_FALSE(program.BeginWrite());
    EXPECT_EQ(program.LastFailure(), platform::Failure::Moved);
    EXPECT_TRUE(program.LastFailureEndsWrites());
    EXPECT_FALSE(InsertKeywords(program, 5, 1));
    EXPECT_EQ(program.LastFailure(), platform::Failure::Missing) << "no file stands at the path";

    ASSERT_TRUE(QFile::rename(Path(QStringLiteral("copy.db")), Path()));
    // Another program on the new file meets none of the moved file's rows in a log at the path.
    EXPECT_EQ(CountSeenByAnotherProgram(), QStringLiteral("0"));
    ASSERT_TRUE(InsertKeywords(program, 5, 1)) << program.LastError().toStdString();
    program.Close();
    EXPECT_EQ(CountSeenByAnotherProgram(), QStringLiteral("1"));
    EXPECT_EQ(OtherProgramQuery(Path(QStringLiteral("moved.db")),
                                QStringLiteral("select count(*) from keywords")),
              QStringLiteral("5"))
        << "what was saved before the move stays in the moved file";
}

// Another program's live log beside a file that was put in place of the one it belongs to is
// neither moved nor read into the new file: the file waits until that program lets go.
TEST_F(DatabaseAmongOtherPrograms, AnotherProgramsLiveLogBesideAReplacedFileIsLeftAlone) {
    ASSERT_TRUE(QFile::copy(Path(), Path(QStringLiteral("fresh.db"))));
    OtherProgramSession running(Path(),
                                {QStringLiteral("pragma journal_mode = wal"),
                                 QStringLiteral("insert into keywords (keys) values ('运行中')")});
    ASSERT_TRUE(running.Ready()) << running.Said().toStdString();
    ASSERT_TRUE(QFile::exists(Path(QStringLiteral("db.db-wal"))));
    ASSERT_TRUE(QFile::remove(Path()));
    ASSERT_TRUE(QFile::rename(Path(QStringLiteral("fresh.db")), Path()));

    platform::Connection program;
    program.SetLockWait(kShortLockWait);
    EXPECT_FALSE(program.Open(Path()));
    EXPECT_EQ(program.LastFailure(), platform::Failure::Locked);
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("db.db-wal"))));
    EXPECT_TRUE(QDir(folder.Path()).entryList({QStringLiteral("*.stale*")}).isEmpty());

    running.End();
    ASSERT_TRUE(InsertKeywords(program, 0, 2)) << program.LastError().toStdString();
    program.Close();
    EXPECT_EQ(CountSeenByAnotherProgram(), QStringLiteral("2"));
    EXPECT_EQ(OtherProgramQuery(Path(), QStringLiteral("pragma integrity_check")),
              QStringLiteral("ok"));
}

// A copy of db.db taken while the program ran (in log mode) and put back over the file of a
// killed program: the killed program's log would ruin the copy, so it is set aside and said.
TEST_F(DatabaseAmongOtherPrograms, AKilledProgramsLogIsNotReplayedIntoACopyPutBackInItsPlace) {
    {
        OtherProgramSession logMode(Path(), {QStringLiteral("pragma journal_mode = wal")});
        ASSERT_TRUE(logMode.Ready());
        ASSERT_TRUE(QFile::copy(Path(), Path(QStringLiteral("copy.db"))));
    }
    // Its log holds only what it wrote after its last checkpoint, on pages the copy lacks.
    const QString manyRows = QStringLiteral(
        "with recursive n(i) as (select 1 union all select i + 1 from n where i < 3000) "
        "insert into keywords (keys, parentkeys) select 'k' || i, hex(randomblob(40)) from n");
    OtherProgramSession killed(Path(), {QStringLiteral("pragma journal_mode = wal"),
                                        QStringLiteral("pragma wal_autocheckpoint = 0"), manyRows,
                                        QStringLiteral("pragma wal_checkpoint(truncate)"),
                                        QStringLiteral("create table extra (a text)"), manyRows});
    ASSERT_TRUE(killed.Ready()) << killed.Said().toStdString();
    killed.Kill();
    ASSERT_GT(QFile(Path(QStringLiteral("db.db-wal"))).size(), 0);
    ASSERT_TRUE(QFile::remove(Path()));
    ASSERT_TRUE(QFile::rename(Path(QStringLiteral("copy.db")), Path()));

    platform::Connection program;
    ASSERT_TRUE(program.Open(Path())) << program.LastError().toStdString();
    EXPECT_FALSE(program.SetAsideLog().isEmpty());
    EXPECT_TRUE(QFile::exists(program.SetAsideLog()));
    EXPECT_TRUE(program.PagesIntact());
    EXPECT_FALSE(program.HasTable(QStringLiteral("extra")));
    EXPECT_TRUE(InsertKeywords(program, 0, 1));
}

// A log of the file's own, left by a killed program, is replayed: its rows are the file's.
TEST_F(DatabaseAmongOtherPrograms, AKilledProgramsOwnLogIsReplayed) {
    OtherProgramSession killed(Path(),
                               {QStringLiteral("pragma journal_mode = wal"),
                                QStringLiteral("pragma wal_autocheckpoint = 0"),
                                QStringLiteral("insert into keywords (keys) values ('留下')")});
    ASSERT_TRUE(killed.Ready());
    killed.Kill();

    platform::Connection program;
    ASSERT_TRUE(program.Open(Path()));
    EXPECT_TRUE(program.SetAsideLog().isEmpty());
    const std::optional<platform::Recordset> kept =
        program.Query(QStringLiteral("select keys from keywords"));
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->Text(QStringLiteral("keys")), QStringLiteral("留下"));
}

// Every failure is told in the user's words; the library's English never stands alone.
TEST_F(DatabaseAmongOtherPrograms, FailuresAreToldByTheirCause) {
    platform::Connection program;
    ASSERT_TRUE(program.Open(Path()));
    program.SetLockWait(kShortLockWait);
    {
        OtherProgramSession writing(Path(), {QStringLiteral("begin immediate")});
        ASSERT_TRUE(writing.Ready());
        EXPECT_FALSE(program.BeginWrite());
        EXPECT_EQ(program.LastError(), QStringLiteral("数据库文件正被其他程序占用"));
    }
    ASSERT_TRUE(program.Execute(QStringLiteral("pragma max_page_count = 1")));
    EXPECT_FALSE(program.Execute(QStringLiteral(
        "with recursive n(i) as (select 1 union all select i + 1 from n where i < 1000) "
        "insert into keywords (keys) select hex(randomblob(100)) from n")));
    EXPECT_EQ(program.LastFailure(), platform::Failure::DiskFull);
    EXPECT_EQ(program.LastError(), QStringLiteral("磁盘已满，数据库文件无法写入"));
    EXPECT_FALSE(program.Execute(QStringLiteral("insert into nowhere values (1)")));
    EXPECT_EQ(program.LastError(), QStringLiteral("数据库操作失败（no such table: nowhere）"));
    ASSERT_TRUE(QFile::remove(Path()));
    EXPECT_FALSE(InsertKeywords(program, 0, 1));
    EXPECT_EQ(program.LastError(), QStringLiteral("数据库文件在软件运行期间被移动、删除或替换"));
}

}  // namespace
