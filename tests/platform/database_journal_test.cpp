// The rollback journal that a killed job leaves beside db.db is played only into the file it was
// written for: a backup or another database put in that file's place is used as it came, and
// the journal is kept aside under a name of its own. Every other program is a process of its own.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <functional>

#include "platform/database.h"
#include "support/other_program.h"
#include "support/program_folder_fixture.h"

namespace {

using testing_support::OtherProgramQuery;
using testing_support::OtherProgramSession;

// A job of another program that has written many rows, some of them into the file itself
// (its page cache is small), and not committed: its journal is live and complete.
const QStringList kJobWritingIntoTheFile = {
    QStringLiteral("pragma cache_size = 5"), QStringLiteral("begin"),
    QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < 2000) "
                   "insert into keywords (keys, parentkeys) select 'job' || i, "
                   "hex(randomblob(60)) from n"),
    QStringLiteral("update keywords set monthrank = '7'")};

class RollbackJournal : public ::testing::Test {
  public:
    RollbackJournal() {
        folder.AddFreshDatabase();
        EXPECT_EQ(OtherProgramQuery(Path(), QStringLiteral("create index keywords_keys on "
                                                           "keywords (keys)")),
                  QString());
        AddKeywords(Path(), QStringLiteral("原有"), 30);
    }

    QString Path(const QString& name = QStringLiteral("db.db")) const {
        return folder.FilePath(name);
    }
    static void AddKeywords(const QString& file, const QString& prefix, int count) {
        EXPECT_EQ(OtherProgramQuery(
                      file, QStringLiteral("with recursive n(i) as (select 1 union all select i + "
                                           "1 from n where i < %1) insert into keywords (keys) "
                                           "select '%2' || i from n")
                                .arg(count)
                                .arg(prefix)),
                  QString());
    }
    static QByteArray Bytes(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString Journal() const { return Path(QStringLiteral("db.db-journal")); }
    QStringList SetAside() const {
        return QDir(folder.Path()).entryList({QStringLiteral("db.db-journal.stale*")});
    }
    // Leaves the journal of a job killed in the middle of its writes beside db.db.
    void KillAJobMidway() {
        OtherProgramSession job(Path(), kJobWritingIntoTheFile);
        ASSERT_TRUE(job.Ready()) << job.Said().toStdString();
        job.Kill();
        ASSERT_GT(QFile(Journal()).size(), 0) << "the killed job left no journal";
    }

    testing_support::TemporaryProgramFolder folder;
};

// The file's own journal rolls the killed job back: the file holds what it held before it.
TEST_F(RollbackJournal, AKilledJobsOwnJournalRollsItsFileBack) {
    KillAJobMidway();
    platform::Connection program;
    ASSERT_TRUE(program.Open(Path())) << program.LastError().toStdString();
    EXPECT_TRUE(program.SetAsideLog().isEmpty());
    EXPECT_EQ(program.Query(QStringLiteral("select count(*) from keywords"))->Field(0).toInt(), 30);
    program.Close();
    EXPECT_FALSE(QFile::exists(Journal()));
    EXPECT_TRUE(SetAside().isEmpty());
    EXPECT_EQ(OtherProgramQuery(Path(), QStringLiteral("pragma integrity_check")),
              QStringLiteral("ok"));
}

// A file put at the path after the kill is not the journal's: it is used exactly as it came,
// and the journal is kept aside and told.
TEST_F(RollbackJournal, AKilledJobsJournalIsNeverPlayedIntoAFilePutInItsPlace) {
    const struct {
        const char* name;
        std::function<void(RollbackJournal&)> make;  // makes "other.db"
        const char* count;
    } cases[] = {
        {"an older backup",
         [](RollbackJournal& t) {
             ASSERT_TRUE(QFile::copy(t.Path(), t.Path(QStringLiteral("other.db"))));
             AddKeywords(t.Path(), QStringLiteral("后来"), 200);
         },
         "30"},
        {"another database",
         [](RollbackJournal& t) {
             t.folder.AddFreshDatabase(QStringLiteral("other.db"));
             for (const char* prefix : {"甲", "乙", "丙"})
                 AddKeywords(t.Path(QStringLiteral("other.db")), QString::fromUtf8(prefix), 5);
         },
         "15"},
        {"a fresh database",
         [](RollbackJournal& t) { t.folder.AddFreshDatabase(QStringLiteral("other.db")); }, "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(Path());
        folder.AddFreshDatabase();
        AddKeywords(Path(), QStringLiteral("原有"), 30);
        c.make(*this);
        KillAJobMidway();
        const QStringList before = SetAside();
        ASSERT_TRUE(QFile::remove(Path()));
        ASSERT_TRUE(QFile::rename(Path(QStringLiteral("other.db")), Path()));
        const QByteArray asPut = Bytes(Path());

        platform::Connection program;
        ASSERT_TRUE(program.Open(Path())) << program.LastError().toStdString();
        EXPECT_EQ(program.SetAsideReason(), platform::database_log::AsideReason::NotTheFiles);
        EXPECT_TRUE(QFile::exists(program.SetAsideLog())) << program.SetAsideLog().toStdString();
        EXPECT_EQ(SetAside().size(), before.size() + 1);
        EXPECT_EQ(Bytes(Path()), asPut) << "the journal was played into the file";
        EXPECT_EQ(program.Query(QStringLiteral("select count(*) from keywords"))->Field(0),
                  QString::fromUtf8(c.count).toInt());
        program.Close();
        EXPECT_EQ(OtherProgramQuery(Path(), QStringLiteral("pragma integrity_check")),
                  QStringLiteral("ok"));
    }
}

// A job still under way whose file was replaced: a second program opening the new file must
// not play that job's journal into it. The file waits until the job has let go.
TEST_F(RollbackJournal, ALiveJobsJournalIsNotPlayedIntoAFilePutAtThePath) {
    ASSERT_TRUE(QFile::copy(Path(), Path(QStringLiteral("backup.db"))));
    OtherProgramSession job(Path(), kJobWritingIntoTheFile);
    ASSERT_TRUE(job.Ready()) << job.Said().toStdString();
    ASSERT_TRUE(QFile::rename(Path(), Path(QStringLiteral("moved.db"))));
    ASSERT_TRUE(QFile::rename(Path(QStringLiteral("backup.db")), Path()));
    const QByteArray asPut = Bytes(Path());

    platform::Connection program;
    program.SetLockWait(std::chrono::milliseconds(100));
    EXPECT_FALSE(program.Open(Path()));
    EXPECT_EQ(program.LastFailure(), platform::Failure::Locked);
    EXPECT_EQ(Bytes(Path()), asPut);
    EXPECT_TRUE(QFile::exists(Journal())) << "the live journal was touched";
    EXPECT_TRUE(SetAside().isEmpty());

    job.End();  // its rollback goes into the file it was written for, and removes its journal
    EXPECT_EQ(program.Query(QStringLiteral("select count(*) from keywords"))->Field(0).toInt(), 30);
    program.Close();
    EXPECT_EQ(Bytes(Path()), asPut);
}

}  // namespace
