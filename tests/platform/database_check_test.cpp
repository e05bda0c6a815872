// The whole-file check finds damage that the open cannot see, says nothing of free pages that
// nothing uses, and never holds the window up for another program's lock.
#include "platform/database_check.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QtEndian>
#include <functional>

#include "platform/database.h"
#include "support/other_program.h"
#include "support/program_folder_fixture.h"

namespace {

using testing_support::OtherProgramQuery;
using testing_support::OtherProgramSession;

constexpr qint64 kPageSize = 4096;

class FullCheckTest : public ::testing::Test {
  public:
    FullCheckTest() { MakeDatabase(); }
    // 3,000 keywords with their index: tables and an index of more than one level.
    void MakeDatabase() const {
        QFile::remove(Path());
        folder.AddFreshDatabase();
        EXPECT_EQ(OtherProgramQuery(Path(), QStringLiteral("create index keywords_keys on "
                                                           "keywords (keys)")),
                  QString());
        EXPECT_EQ(OtherProgramQuery(
                      Path(), QStringLiteral("with recursive n(i) as (select 1 union all select "
                                             "i + 1 from n where i < 3000) insert into keywords "
                                             "(keys, parentkeys) select 'k' || i, "
                                             "hex(randomblob(20)) from n")),
                  QString());
    }
    QString Path() const { return folder.FilePath(QStringLiteral("db.db")); }
    qint64 FirstPage(const QString& sql) const {
        return OtherProgramQuery(Path(), sql).section(u'\n', 0, 0).toLongLong();
    }
    void Write(qint64 at, const QByteArray& bytes) const {
        QFile file(Path());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.seek(at));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    QByteArray Read(qint64 at, int size) const {
        QFile file(Path());
        if (!file.open(QIODevice::ReadOnly) || !file.seek(at)) return {};
        return file.read(size);
    }
    static platform::FullCheck::Outcome CheckToTheEnd(platform::FullCheck& check) {
        while (check.Step()) {
        }
        check.WaitForCheck();
        return check.Result();
    }

    testing_support::TemporaryProgramFolder folder;
};

TEST_F(FullCheckTest, TellsDamageTheOpenCannotSeeAndNoneInFreePages) {
    using Outcome = platform::FullCheck::Outcome;
    const struct {
        const char* name;
        std::function<void(FullCheckTest&)> change;
        Outcome outcome;
    } cases[] = {
        {"sound", [](FullCheckTest&) {}, Outcome::Sound},
        {"a page nothing uses",
         [](FullCheckTest& t) {
             const QByteArray header = t.Read(28, 4);
             const quint32 pages = qFromBigEndian<quint32>(header.constData());
             t.Write(pages * kPageSize, QByteArray(kPageSize, '\0'));
             QByteArray more(4, '\0');
             qToBigEndian<quint32>(pages + 1, more.data());
             t.Write(28, more);
         },
         Outcome::Sound},
        {"a damaged index leaf",
         [](FullCheckTest& t) {
             const qint64 leaf = t.FirstPage(QStringLiteral(
                 "select pageno from dbstat where name = 'keywords_keys' and pagetype = 'leaf' "
                 "order by pageno limit 1 offset 3"));
             t.Write((leaf - 1) * kPageSize + kPageSize - 400, QByteArray(24, '\xA5'));
         },
         Outcome::Damaged},
        {"a lowered page count",
         [](FullCheckTest& t) {
             const quint32 pages = qFromBigEndian<quint32>(t.Read(28, 4).constData());
             QByteArray fewer(4, '\0');
             qToBigEndian<quint32>(pages - 5, fewer.data());
             t.Write(28, fewer);
         },
         Outcome::Damaged},
        {"two pointers of a table's inner page swapped",
         [](FullCheckTest& t) {
             const qint64 inner = t.FirstPage(
                 QStringLiteral("select rootpage from sqlite_master where name = 'keywords'"));
             const qint64 page = (inner - 1) * kPageSize;
             const QByteArray offsets = t.Read(page + 12, 4);
             const quint16 first = qFromBigEndian<quint16>(offsets.constData());
             const quint16 second = qFromBigEndian<quint16>(offsets.constData() + 2);
             const QByteArray a = t.Read(page + first, 4), b = t.Read(page + second, 4);
             t.Write(page + first, b);
             t.Write(page + second, a);
         },
         Outcome::Damaged},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MakeDatabase();
        c.change(*this);
        platform::Connection program;
        ASSERT_TRUE(program.Open(Path())) << program.LastError().toStdString();
        platform::FullCheck check(program);
        EXPECT_EQ(CheckToTheEnd(check), c.outcome) << check.Findings().toStdString();
        EXPECT_EQ(check.Findings().isEmpty(), c.outcome == Outcome::Sound);
    }
}

// Another program's write under way holds the copy off without a wait: the window goes on, and
// the copy goes on once the other program has let go.
TEST_F(FullCheckTest, AnotherProgramsLockIsNeverWaitedFor) {
    platform::Connection program;
    ASSERT_TRUE(program.Open(Path()));
    platform::FullCheck check(program);
    const int waits = program.LockWaits();
    {
        OtherProgramSession writer(Path(), {QStringLiteral("begin exclusive")});
        ASSERT_TRUE(writer.Ready()) << writer.Said().toStdString();
        EXPECT_TRUE(check.Step());
        EXPECT_EQ(program.LockWaits(), waits);
    }
    EXPECT_EQ(CheckToTheEnd(check), platform::FullCheck::Outcome::Sound);
}

// A job's transaction is never read half-made, and the copy follows what the job then saved.
TEST_F(FullCheckTest, TheCopyWaitsForAJobToEnd) {
    platform::Connection program;
    ASSERT_TRUE(program.Open(Path()));
    platform::FullCheck check(program);
    {
        platform::WriteTransaction job(program);
        ASSERT_TRUE(job.Begun());
        ASSERT_TRUE(program.Execute(QStringLiteral("insert into keywords (keys) values ('新')")));
        for (int i = 0; i < 100; ++i) ASSERT_TRUE(check.Step()) << "it copied inside a job";
        ASSERT_TRUE(job.Commit());
    }
    EXPECT_EQ(CheckToTheEnd(check), platform::FullCheck::Outcome::Sound);
}

}  // namespace

namespace {

// The program's end closes the connection and may end the process without destructors: the
// check ends with the file's use, and no copy of the database is left in the temporary folder.
TEST_F(FullCheckTest, ClosingTheConnectionLeavesNoCopyBehind) {
    const QString temporary = folder.FilePath(QStringLiteral("temporary"));
    ASSERT_TRUE(QDir().mkpath(temporary));
    const QByteArray usual = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(temporary));
    platform::Connection program;
    ASSERT_TRUE(program.Open(Path()));
    platform::FullCheck check(program);
    check.Step();
    const bool copying = !QDir(temporary).isEmpty();
    program.Close();
    const QStringList left = QDir(temporary).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    qputenv("TMPDIR", usual);
    if (usual.isNull()) qunsetenv("TMPDIR");
    EXPECT_TRUE(copying) << "the check made no copy to leave behind";
    EXPECT_TRUE(left.isEmpty()) << left.join(u' ').toStdString();
    EXPECT_NE(check.Result(), platform::FullCheck::Outcome::Pending);
}

}  // namespace
