// The database file among other programs: they read it, lock it, replace it, or leave their
// logs beside it, each in a process of its own.
#include <gtest/gtest.h>

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <cstdio>
#include <functional>

#include "platform/database.h"
#include "support/database_files.h"
#include "support/other_program.h"
#include "support/program_folder_fixture.h"
#include "support/qt_printers.h"

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
    QString Path(const char* name) const { return Path(QString::fromUtf8(name)); }
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
    // The file `name` put where db.db stood, as a user restores a copy.
    void PutInPlaceOfTheFile(const QString& name) const {
        ASSERT_TRUE(QFile::remove(Path()));
        ASSERT_TRUE(QFile::rename(Path(name), Path()));
    }
    QString IntegritySeenByAnotherProgram() const {
        return OtherProgramQuery(Path(), QStringLiteral("pragma integrity_check"));
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
    EXPECT_EQ(IntegritySeenByAnotherProgram(), QStringLiteral("ok"));
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
    // Another program on the new file meets none of the moved file's rows.
    EXPECT_EQ(CountSeenByAnotherProgram(), QStringLiteral("0"));
    // Nor does the program: once the move was told, it reads the file at the path too.
    EXPECT_EQ(program.Query(QStringLiteral("select count(*) from keywords"))->Field(0).toInt(), 0);
    ASSERT_TRUE(InsertKeywords(program, 5, 1)) << program.LastError().toStdString();
    program.Close();
    EXPECT_EQ(CountSeenByAnotherProgram(), QStringLiteral("1"));
    EXPECT_EQ(OtherProgramQuery(Path(QStringLiteral("moved.db")),
                                QStringLiteral("select count(*) from keywords")),
              QStringLiteral("5"))
        << "what was saved before the move stays in the moved file";
}

// db.db replaced by another file while the program has it open: once a write was refused for
// that, the program reads the file at the path as well, not the one it had open.
TEST_F(DatabaseAmongOtherPrograms, OnceAReplacementWasToldReadsGoToTheFileAtThePath) {
    platform::Connection program;
    ASSERT_TRUE(program.Open(Path()));
    ASSERT_TRUE(InsertKeywords(program, 0, 5));
    folder.AddFreshDatabase(QStringLiteral("new.db"));
    ASSERT_TRUE(QFile::rename(Path(), Path("moved.db")));
    ASSERT_TRUE(QFile::rename(Path("new.db"), Path()));

    EXPECT_FALSE(program.BeginWrite());
    ASSERT_EQ(program.LastFailure(), platform::Failure::Moved);

    const std::optional<platform::Recordset> count =
        program.Query(QStringLiteral("select count(*) from keywords"));
    ASSERT_TRUE(count) << program.LastError().toStdString();
    EXPECT_EQ(count->Field(0).toInt(), 0);
    const std::optional<platform::Recordset> stored = program.Query(
        QStringLiteral("select id from keywords where keys = ?"), {QStringLiteral("词0")});
    ASSERT_TRUE(stored) << program.LastError().toStdString();
    EXPECT_TRUE(stored->Eof()) << "a keyword of the moved file reads as stored";
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
    PutInPlaceOfTheFile(QStringLiteral("fresh.db"));

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
    EXPECT_EQ(IntegritySeenByAnotherProgram(), QStringLiteral("ok"));
}

// A copy of db.db taken while another program ran in log mode, put back over the file of that
// program after it was killed: its log would ruin the copy, so it is set aside and said.
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
    PutInPlaceOfTheFile(QStringLiteral("copy.db"));

    platform::Connection program;
    ASSERT_TRUE(program.Open(Path())) << program.LastError().toStdString();
    EXPECT_FALSE(program.SetAsideLog().isEmpty());
    EXPECT_EQ(program.SetAsideReason(), platform::database_log::AsideReason::NotTheFiles);
    EXPECT_TRUE(QFile::exists(program.SetAsideLog()));
    EXPECT_FALSE(program.HasTable(QStringLiteral("extra")));
    EXPECT_TRUE(InsertKeywords(program, 0, 1));
    program.Close();
    EXPECT_EQ(IntegritySeenByAnotherProgram(), QStringLiteral("ok"));
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("db.db-wal"))));
}

// A log that leaves every page readable can still pair one file's table with another's index:
// the copy holds thirteen keywords that a killed program replaced, and its log holds only the
// table page it wrote after its last checkpoint. Replayed, the table would hold keywords that
// its index cannot find, and the next save would store them twice. A copy taken in log mode
// passes every check but the whole one, indexes against their tables.
TEST_F(DatabaseAmongOtherPrograms, ALogThatWouldPairTheTableWithAnotherIndexIsNotReplayed) {
    const QString thirteen = QStringLiteral(
        "with recursive n(i) as (select 1 union all select i + 1 from n where i < 13) "
        "insert into keywords (id, keys) select i, '%1' || i from n");
    for (const bool copyInLogMode : {false, true}) {
        SCOPED_TRACE(copyInLogMode ? "a copy in log mode" : "a copy in journal mode");
        QFile::remove(Path());
        folder.AddFreshDatabase();
        ASSERT_EQ(OtherProgramQuery(Path(), QStringLiteral("create index keywords_keys on "
                                                           "keywords (keys)")),
                  QString());
        ASSERT_EQ(OtherProgramQuery(Path(), thirteen.arg(QStringLiteral("旧"))), QString());
        if (copyInLogMode) {
            ASSERT_EQ(OtherProgramQuery(Path(), QStringLiteral("pragma journal_mode = wal")),
                      QStringLiteral("wal"));
        }
        ASSERT_TRUE(QFile::copy(Path(), Path(QStringLiteral("copy.db"))));
        OtherProgramSession killed(
            Path(), {QStringLiteral("pragma journal_mode = wal"),
                     QStringLiteral("pragma wal_autocheckpoint = 0"),
                     QStringLiteral("delete from keywords"), thirteen.arg(QStringLiteral("新")),
                     QStringLiteral("pragma wal_checkpoint(truncate)"),
                     QStringLiteral("update keywords set monthrank = '9'")});
        ASSERT_TRUE(killed.Ready()) << killed.Said().toStdString();
        killed.Kill();
        PutInPlaceOfTheFile(QStringLiteral("copy.db"));

        platform::Connection program;
        ASSERT_TRUE(program.Open(Path())) << program.LastError().toStdString();
        EXPECT_FALSE(program.SetAsideLog().isEmpty());
        EXPECT_EQ(program.SetAsideReason(), platform::database_log::AsideReason::NotTheFiles);
        program.Close();
        EXPECT_EQ(IntegritySeenByAnotherProgram(), QStringLiteral("ok"));
        EXPECT_EQ(OtherProgramQuery(Path(), QStringLiteral("select count(*) from keywords where "
                                                           "keys like '旧%'")),
                  QStringLiteral("13"));
    }
}

// A killed program's log beside a fresh file copied over the old one (a file that keeps no log
// at all): the fresh file is used as it came, and the old log is kept aside, not deleted.
TEST_F(DatabaseAmongOtherPrograms, AKilledProgramsLogBesideAFreshlyCopiedFileIsSetAside) {
    ASSERT_TRUE(QFile::copy(Path(), Path(QStringLiteral("fresh.db"))));
    OtherProgramSession killed(Path(), {QStringLiteral("pragma journal_mode = wal"),
                                        QStringLiteral("pragma wal_autocheckpoint = 0"),
                                        QStringLiteral("insert into keywords (keys) values ('旧')"),
                                        QStringLiteral("create table extra (a text)")});
    ASSERT_TRUE(killed.Ready()) << killed.Said().toStdString();
    killed.Kill();
    PutInPlaceOfTheFile(QStringLiteral("fresh.db"));

    platform::Connection program;
    ASSERT_TRUE(program.Open(Path())) << program.LastError().toStdString();
    EXPECT_EQ(program.SetAsideReason(), platform::database_log::AsideReason::NotTheFiles);
    EXPECT_GT(QFile(program.SetAsideLog()).size(), 0) << "the old log is kept";
    EXPECT_FALSE(program.HasTable(QStringLiteral("extra")));
    EXPECT_TRUE(InsertKeywords(program, 0, 1));
    program.Close();
    EXPECT_EQ(CountSeenByAnotherProgram(), QStringLiteral("1"));
}

// A log set aside at an earlier open still lies there when another stray log comes: the new one
// goes under a name of its own, the earlier ones stay as they were, and the file serves.
TEST_F(DatabaseAmongOtherPrograms, AStrayLogGoesBesideTheLogsSetAsideBefore) {
    const struct {
        QStringList earlier;
        const char* next;
    } cases[] = {
        {{QStringLiteral("db.db-wal.stale")}, "db.db-wal.stale2"},
        {{QStringLiteral("db.db-wal.stale"), QStringLiteral("db.db-wal.stale2")},
         "db.db-wal.stale3"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.next);
        testing_support::TemporaryProgramFolder own;
        const auto at = [&own](const QString& name) { return own.FilePath(name); };
        own.AddFreshDatabase();
        own.AddFreshDatabase(QStringLiteral("fresh.db"));
        for (const QString& earlier : c.earlier) {
            QFile file(at(earlier));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(earlier.toUtf8());
        }
        OtherProgramSession killed(at(QStringLiteral("db.db")),
                                   {QStringLiteral("pragma journal_mode = wal"),
                                    QStringLiteral("pragma wal_autocheckpoint = 0"),
                                    QStringLiteral("insert into keywords (keys) values ('旧')")});
        ASSERT_TRUE(killed.Ready()) << killed.Said().toStdString();
        killed.Kill();
        ASSERT_TRUE(QFile::remove(at(QStringLiteral("db.db"))));
        ASSERT_TRUE(QFile::rename(at(QStringLiteral("fresh.db")), at(QStringLiteral("db.db"))));

        platform::Connection program;
        ASSERT_TRUE(program.Open(at(QStringLiteral("db.db")))) << program.LastError().toStdString();
        EXPECT_EQ(program.SetAsideLog(), at(QString::fromUtf8(c.next)));
        EXPECT_GT(QFile(program.SetAsideLog()).size(), 0);
        EXPECT_FALSE(QFile::exists(at(QStringLiteral("db.db-wal"))));
        for (const QString& earlier : c.earlier) {
            QFile file(at(earlier));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(file.readAll(), earlier.toUtf8()) << "an earlier log was overwritten";
        }
        EXPECT_TRUE(InsertKeywords(program, 0, 1)) << program.LastError().toStdString();
    }
}

// A log of the file's own, left by a killed program, is replayed: its rows are the file's. The
// file is then turned back into one file: a copy of db.db alone holds them.
TEST_F(DatabaseAmongOtherPrograms, AKilledProgramsOwnLogIsReplayedAndTheFileBecomesOneFile) {
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
    for (const char* beside : {"db.db-wal", "db.db-shm"})
        EXPECT_FALSE(QFile::exists(Path(QString::fromUtf8(beside)))) << beside;
    ASSERT_TRUE(QFile::copy(Path(), Path(QStringLiteral("alone.db"))));
    EXPECT_EQ(OtherProgramQuery(Path(QStringLiteral("alone.db")),
                                QStringLiteral("select keys from keywords")),
              QStringLiteral("留下"));
}

// A log whose own schema page leads to pages only its own file has: replayed into a copy that
// was in log mode too, not even the list of tables reads. The log is another file's, and is
// told as such, not as one that could not be checked.
TEST_F(DatabaseAmongOtherPrograms, ALogThatLeavesTheFileUnreadableIsSetAsideAsAnotherFilesLog) {
    ASSERT_EQ(OtherProgramQuery(Path(), QStringLiteral("pragma journal_mode = wal")),
              QStringLiteral("wal"));
    ASSERT_TRUE(QFile::copy(Path(), Path("copy.db")));
    // Enough tables that their list spans pages beyond the copy's end.
    QStringList statements = {QStringLiteral("pragma wal_autocheckpoint = 0")};
    for (int i = 0; i < 100; ++i)
        statements << QStringLiteral("create table t%1_%2 (a text)").arg(i).arg(QString(60, u'x'));
    statements << QStringLiteral("pragma wal_checkpoint(truncate)")
               << QStringLiteral("create table extra (a text)");
    OtherProgramSession killed(Path(), statements);
    ASSERT_TRUE(killed.Ready()) << killed.Said().toStdString();
    killed.Kill();
    ASSERT_TRUE(QFile::remove(Path()));
    ASSERT_TRUE(QFile::rename(Path("copy.db"), Path()));

    platform::Connection program;
    ASSERT_TRUE(program.Open(Path())) << program.LastError().toStdString();
    EXPECT_FALSE(program.SetAsideLog().isEmpty());
    EXPECT_EQ(program.SetAsideReason(), platform::database_log::AsideReason::NotTheFiles)
        << "told as a log that could not be checked";
    EXPECT_FALSE(program.HasTable(QStringLiteral("extra")));
    EXPECT_TRUE(InsertKeywords(program, 0, 1)) << program.LastError().toStdString();
}

// A damaged file fails the check with its own log as without it: the damage is the file's, and
// the log, which may hold its last rows, is replayed.
TEST_F(DatabaseAmongOtherPrograms, ADamagedFilesOwnLogIsReplayedNotSetAside) {
    ASSERT_EQ(
        OtherProgramQuery(
            Path(), QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n "
                                   "where i < 2000) insert into keywords (keys) select "
                                   "hex(randomblob(30)) from n")),
        QString());
    OtherProgramSession killed(Path(), {QStringLiteral("pragma journal_mode = wal"),
                                        QStringLiteral("pragma wal_autocheckpoint = 0"),
                                        QStringLiteral("create table extra (a text)"),
                                        QStringLiteral("insert into extra (a) values ('留下')")});
    ASSERT_TRUE(killed.Ready()) << killed.Said().toStdString();
    killed.Kill();
    testing_support::DamagePages(Path());

    platform::Connection program;
    ASSERT_TRUE(program.Open(Path())) << program.LastError().toStdString();
    EXPECT_TRUE(program.SetAsideLog().isEmpty()) << program.SetAsideLog().toStdString();
    const std::optional<platform::Recordset> kept =
        program.Query(QStringLiteral("select a from extra"));
    ASSERT_TRUE(kept) << program.LastError().toStdString();
    EXPECT_EQ(kept->Text(QStringLiteral("a")), QStringLiteral("留下"));
}

// A log that cannot be checked, because the temporary folder takes no copy of db.db, is never
// replayed on trust: it is set aside, and the file is used as it stands.
TEST_F(DatabaseAmongOtherPrograms, ALogThatCannotBeCheckedIsSetAsideNotReplayed) {
    OtherProgramSession killed(Path(),
                               {QStringLiteral("pragma journal_mode = wal"),
                                QStringLiteral("pragma wal_autocheckpoint = 0"),
                                QStringLiteral("insert into keywords (keys) values ('日志中')")});
    ASSERT_TRUE(killed.Ready());
    killed.Kill();
    // A temporary folder that is a file: nothing can be made in it, whoever runs the test.
    const QString notAFolder = Path("not a folder");
    ASSERT_TRUE(QFile(notAFolder).open(QIODevice::WriteOnly));
    const QByteArray temporary = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(notAFolder));
    platform::Connection program;
    const bool opened = program.Open(Path());
    qputenv("TMPDIR", temporary);
    if (temporary.isNull()) qunsetenv("TMPDIR");

    ASSERT_TRUE(opened) << program.LastError().toStdString();
    EXPECT_EQ(program.SetAsideReason(), platform::database_log::AsideReason::Unchecked);
    EXPECT_GT(QFile(program.SetAsideLog()).size(), 0);
    program.Close();
    EXPECT_EQ(CountSeenByAnotherProgram(), QStringLiteral("0"));
}

// A file that another program holds in log mode is turned back to one file as soon as it can
// be: the program's writes go on meanwhile, and once the other program is gone, the next write
// leaves db.db alone.
TEST_F(DatabaseAmongOtherPrograms, AFileInLogModeBecomesOneFileOnceTheOtherProgramLetsGo) {
    OtherProgramSession other(Path(), {QStringLiteral("pragma journal_mode = wal"),
                                       QStringLiteral("insert into keywords (keys) values ('x')")});
    ASSERT_TRUE(other.Ready()) << other.Said().toStdString();
    platform::Connection program;
    ASSERT_TRUE(program.Open(Path())) << program.LastError().toStdString();
    ASSERT_TRUE(InsertKeywords(program, 0, 2)) << program.LastError().toStdString();
    other.End();
    ASSERT_TRUE(InsertKeywords(program, 2, 1)) << program.LastError().toStdString();
    for (const char* beside : {"db.db-wal", "db.db-shm"})
        EXPECT_FALSE(QFile::exists(Path(QString::fromUtf8(beside)))) << beside;
    EXPECT_EQ(program.Query(QStringLiteral("pragma journal_mode"))->Field(0).toString(),
              QStringLiteral("delete"));
    program.Close();
    EXPECT_EQ(CountSeenByAnotherProgram(), QStringLiteral("4"));
}

// A transaction whose file is moved, deleted, replaced, written over or cut short before it
// commits keeps nothing, although its pages began to go into the file (its cache is small): the
// commit is refused with that cause, the transaction is taken back without the rollback's own
// outcome taking the cause's place, and a file another program put at the path, or wrote over
// the old one, holds exactly what that program put there.
TEST_F(DatabaseAmongOtherPrograms, ATransactionWhoseFileChangedUnderItIsTakenBackAndTold) {
    using Folder = testing_support::TemporaryProgramFolder;
    const auto path = [](const Folder& f, const char* name = "db.db") {
        return f.FilePath(QString::fromUtf8(name));
    };
    const struct {
        const char* name;
        std::function<bool(const Folder&)> change;
        const char* countAtPath;  // what another program counts at the path afterwards, if known
    } cases[] = {
        {"moved", [&](const Folder& f) { return QFile::rename(path(f), path(f, "moved.db")); },
         nullptr},
        {"deleted", [&](const Folder& f) { return QFile::remove(path(f)); }, nullptr},
        {"replaced",
         [&](const Folder& f) {
             return ::rename(QFile::encodeName(path(f, "other.db")).constData(),
                             QFile::encodeName(path(f)).constData()) == 0;
         },
         "0"},
        {"written over",
         [&](const Folder& f) {
             return testing_support::OtherProgramOverwrite(path(f), path(f, "other.db"));
         },
         "0"},
        {"cut short",
         [&](const Folder& f) {
             return ::truncate(QFile::encodeName(path(f)).constData(), 0) == 0;
         },
         nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(Path());
        folder.AddFreshDatabase();
        folder.AddFreshDatabase(QStringLiteral("other.db"));
        platform::Connection program;
        ASSERT_TRUE(program.Open(Path()));
        ASSERT_TRUE(InsertKeywords(program, 0, 3));
        ASSERT_TRUE(program.Execute(QStringLiteral("pragma cache_size = 5")));
        QByteArray put;
        {
            platform::WriteTransaction transaction(program);
            ASSERT_TRUE(transaction.Begun());
            ASSERT_TRUE(InsertKeywords(program, 3, 100));
            ASSERT_TRUE(c.change(folder));
            QFile atPath(Path());
            if (atPath.open(QIODevice::ReadOnly)) put = atPath.readAll();
            for (int i = 103; i < 2000 && InsertKeywords(program, i, 1);) ++i;
            EXPECT_FALSE(transaction.Commit());
            EXPECT_EQ(program.LastFailure(), platform::Failure::Moved);
            EXPECT_EQ(program.LastError(),
                      QStringLiteral("数据库文件在软件运行期间被移动、删除或替换"));
        }
        program.Close();
        QFile atPath(Path());
        if (atPath.open(QIODevice::ReadOnly)) {
            EXPECT_EQ(atPath.readAll(), put) << "the job wrote into the file at the path";
        }
        EXPECT_FALSE(QFile::exists(Path("db.db-journal"))) << "its journal lies beside it";
        const QString atPathCount = CountSeenByAnotherProgram();
        EXPECT_LT(atPathCount.toInt(), 103) << "the transaction's rows were kept";
        if (c.countAtPath) {
            EXPECT_EQ(atPathCount, QString::fromUtf8(c.countAtPath));
        }
        if (QFile::exists(Path("moved.db"))) {
            EXPECT_EQ(OtherProgramQuery(Path("moved.db"),
                                        QStringLiteral("select count(*) from keywords")),
                      QStringLiteral("3"));
        }
        QFile::remove(Path(QStringLiteral("moved.db")));
    }
}

// A file written over between two jobs with a copy whose header says the same version (two
// files that took the same number of commits since they were one): the next job reads the new
// bytes, not the pages it kept from the old ones, and its row goes in beside the copy's.
TEST_F(DatabaseAmongOtherPrograms, AFileWrittenOverBetweenJobsIsReadAfreshWhateverItsHeader) {
    ASSERT_TRUE(QFile::copy(Path(), Path("twin.db")));
    platform::Connection program;
    ASSERT_TRUE(program.Open(Path()));
    ASSERT_TRUE(program.Execute(
        QStringLiteral("insert into keywords (keys) values ('甲'), ('乙'), ('丙')")));
    ASSERT_EQ(OtherProgramQuery(Path("twin.db"),
                                QStringLiteral("with recursive n(i) as (select 1 union all select "
                                               "i + 1 from n where i < 10) insert into keywords "
                                               "(keys) select '副本' || i from n")),
              QString());
    const auto version = [](const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll().mid(24, 16) : QByteArray();
    };
    ASSERT_EQ(version(Path()), version(Path("twin.db"))) << "the headers differ: no such case";

    ASSERT_TRUE(testing_support::OtherProgramOverwrite(Path(), Path("twin.db")));
    ASSERT_TRUE(InsertKeywords(program, 0, 1)) << program.LastError().toStdString();
    program.Close();
    EXPECT_EQ(CountSeenByAnotherProgram(), QStringLiteral("11"));
    EXPECT_EQ(IntegritySeenByAnotherProgram(), QStringLiteral("ok"));
}

// Another program's read that lasts through a long write job holds the job up once: its pages
// cannot go into the file, the wait outlasts itself once, and the job stops there with the
// lock's cause, keeping nothing.
TEST_F(DatabaseAmongOtherPrograms, AReaderHoldsUpAWriteJobOnceAndTheJobKeepsNothing) {
    OtherProgramSession reader(
        Path(), {QStringLiteral("begin"), QStringLiteral("select count(*) from keywords")});
    ASSERT_TRUE(reader.Ready()) << reader.Said().toStdString();
    platform::Connection program;
    ASSERT_TRUE(program.Open(Path()));
    ASSERT_TRUE(program.Execute(QStringLiteral("pragma cache_size = 5")));
    program.SetLockWait(kShortLockWait);
    const int waits = program.LockWaits();
    {
        platform::WriteTransaction job(program);
        ASSERT_TRUE(job.Begun());
        int written = 0;
        while (written < 3000 && InsertKeywords(program, written, 1)) ++written;
        EXPECT_LT(written, 3000) << "the job went on past the lock";
        EXPECT_EQ(program.LastFailure(), platform::Failure::Locked);
        EXPECT_FALSE(job.Commit());
    }
    EXPECT_EQ(program.LockWaits() - waits, 1);
    reader.End();
    program.Close();
    EXPECT_EQ(CountSeenByAnotherProgram(), QStringLiteral("0"));
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
