// A program killed in the middle of its keyword writes loses none that it was told were
// written, and leaves a sound file behind: its table and the index on keys that the program's
// open gives it.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <QRandomGenerator>
#include <QSet>
#include <cerrno>
#include <chrono>
#include <thread>

#include "platform/database.h"
#include "shell/database_bootstrap.h"
#include "support/program_folder_fixture.h"

namespace {

// The writer: saves keywords one statement at a time, as the metric routines do, and reports
// each on `report` once its statement has returned. Never returns.
[[noreturn]] void WriteUntilKilled(const QString& path, int first, int report) {
    platform::Connection db;
    if (!db.Open(path)) _exit(2);
    for (int i = first;; ++i) {
        const QString keyword = QString::number(i);
        if (!db.Execute(QStringLiteral("insert into keywords (keys,monthrank,adddate) "
                                       "values (?,'1','2026-12-10')"),
                        {keyword}) ||
            !db.Execute(QStringLiteral("update keywords set baidunum = ? where keys = ?"),
                        {QStringLiteral("12"), keyword}))
            _exit(3);
        const QByteArray line = keyword.toLatin1() + '\n';
        if (write(report, line.constData(), line.size()) != line.size()) _exit(4);
    }
}

// Reads the writer's reports until it has reported `rows` keywords, lets it go on for
// `further` more (anywhere in its next writes), kills it without warning, and reads what it
// reported before it died. Waiting for reports, not for a span of time, keeps the test's
// strength whatever the machine's load.
QByteArray KillAfter(pid_t writer, int report, int rows, std::chrono::microseconds further) {
    QByteArray reported;
    char buffer[4096];
    while (reported.count('\n') < rows) {
        const ssize_t got = read(report, buffer, sizeof buffer);
        if (got <= 0) break;
        reported.append(buffer, got);
    }
    std::this_thread::sleep_for(further);
    kill(writer, SIGKILL);
    int status = 0;
    waitpid(writer, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status)) << "the writer ended by itself, status " << status;
    for (ssize_t got; (got = read(report, buffer, sizeof buffer)) > 0;)
        reported.append(buffer, got);
    return reported;
}

TEST(DatabaseKill, TwentyKillsDuringKeywordWritesLoseNoReportedRowAndLeaveASoundFile) {
    testing_support::TemporaryProgramFolder folder;
    folder.AddFreshDatabase();
    const QString path = folder.FilePath(QStringLiteral("db.db"));
    {
        platform::Connection db;
        ASSERT_TRUE(db.Open(path));
        IndexKeywordLookups(db);
    }
    QSet<QString> reported;
    for (int kill = 0; kill < 20; ++kill) {
        int pipe[2];
        ASSERT_EQ(::pipe(pipe), 0);
        const pid_t writer = fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) {
            close(pipe[0]);
            WriteUntilKilled(path, kill * 1000000, pipe[1]);
        }
        close(pipe[1]);
        QRandomGenerator& random = *QRandomGenerator::global();
        const QByteArray lines = KillAfter(writer, pipe[0], 2 + random.bounded(4),
                                           std::chrono::microseconds(random.bounded(20000)));
        close(pipe[0]);
        for (const QByteArray& line : lines.split('\n'))
            if (!line.isEmpty()) reported.insert(QString::fromLatin1(line));
    }
    ASSERT_GT(reported.size(), 20) << "the writer wrote too little to test anything";

    platform::Connection db;
    ASSERT_TRUE(db.Open(path));
    const std::optional<platform::Recordset> verdict =
        db.Query(QStringLiteral("pragma integrity_check"));
    ASSERT_TRUE(verdict);
    EXPECT_EQ(verdict->Field(0).toString(), QStringLiteral("ok"));
    const std::optional<platform::Recordset> plan = db.Query(
        QStringLiteral("explain query plan select keys from keywords where keys = ?"), {"1"});
    ASSERT_TRUE(plan);
    EXPECT_TRUE(plan->Text(QStringLiteral("detail")).contains(QStringLiteral("keywords_keys")))
        << "the index is in place";
    QSet<QString> stored;
    ASSERT_TRUE(
        db.ReadRows(QStringLiteral("select keys from keywords where baidunum = '12'"), {},
                    [&stored](const platform::RowReader& row) { stored.insert(row.Text(0)); }));
    for (const QString& keyword : std::as_const(reported))
        EXPECT_TRUE(stored.contains(keyword)) << "reported but lost: " << keyword.toStdString();
}

// Every commit goes into db.db itself, on the disk before the commit returns: nothing lies
// beside the file between writes, and a copy of the file alone is the whole database.
TEST(DatabaseKill, CommitsGoIntoTheFileItselfAndNothingIsLeftBesideIt) {
    testing_support::TemporaryProgramFolder folder;
    folder.AddFreshDatabase();
    const QString path = folder.FilePath(QStringLiteral("db.db"));
    platform::Connection db;
    ASSERT_TRUE(db.Open(path));
    ASSERT_TRUE(db.Execute(QStringLiteral("insert into keywords (keys) values ('一')")));
    EXPECT_EQ(db.Query(QStringLiteral("pragma journal_mode"))->Field(0).toString(),
              QStringLiteral("delete"));
    EXPECT_EQ(db.Query(QStringLiteral("pragma synchronous"))->Field(0).toInt(), 2) << "full";
    for (const char* beside : {"-wal", "-shm", "-journal"})
        EXPECT_FALSE(QFile::exists(path + QString::fromUtf8(beside))) << beside;
}

}  // namespace

namespace {

// A job of the program killed in the middle of a long transaction whose pages began to go into
// the file: its journal is played back into the file it was written for, and into no other.
[[noreturn]] void ImportUntilKilled(const QString& path, int report) {
    platform::Connection db;
    if (!db.Open(path) || !db.Execute(QStringLiteral("pragma cache_size = 5"))) _exit(2);
    platform::WriteTransaction job(db);
    if (!job.Begun()) _exit(3);
    for (int i = 0;; ++i) {
        if (!db.Execute(QStringLiteral("insert into keywords (keys, parentkeys) values (?, ?)"),
                        {QStringLiteral("导入%1").arg(i), QString(40, u'x')}))
            _exit(4);
        if (i == 3000 && write(report, "\n", 1) != 1) _exit(5);
    }
}

}  // namespace

TEST(DatabaseKill, AKilledJobsJournalRollsBackItsOwnFileAndSparesABackupPutInItsPlace) {
    for (const bool backupRestored : {false, true}) {
        SCOPED_TRACE(backupRestored ? "a backup restored" : "its own file");
        testing_support::TemporaryProgramFolder folder;
        folder.AddFreshDatabase();
        const QString path = folder.FilePath(QStringLiteral("db.db"));
        const QString backup = folder.FilePath(QStringLiteral("backup.db"));
        {
            platform::Connection db;
            ASSERT_TRUE(db.Open(path));
            ASSERT_TRUE(db.Execute(QStringLiteral("insert into keywords (keys) values ('备份')")));
            ASSERT_TRUE(QFile::copy(path, backup));
            ASSERT_TRUE(db.Execute(QStringLiteral("insert into keywords (keys) values ('之后')")));
        }
        int pipe[2];
        ASSERT_EQ(::pipe(pipe), 0);
        const pid_t importer = fork();
        ASSERT_GE(importer, 0);
        if (importer == 0) {
            close(pipe[0]);
            ImportUntilKilled(path, pipe[1]);
        }
        close(pipe[1]);
        KillAfter(importer, pipe[0], 1, std::chrono::microseconds(0));
        close(pipe[0]);
        ASSERT_GT(QFile(path + QStringLiteral("-journal")).size(), 0);
        QByteArray asPut;
        if (backupRestored) {
            ASSERT_TRUE(QFile::remove(path));
            ASSERT_TRUE(QFile::rename(backup, path));
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            asPut = file.readAll();
        }

        platform::Connection db;
        ASSERT_TRUE(db.Open(path)) << db.LastError().toStdString();
        EXPECT_EQ(db.SetAsideLog().isEmpty(), !backupRestored);
        EXPECT_EQ(db.Query(QStringLiteral("select count(*) from keywords"))->Field(0).toInt(),
                  backupRestored ? 1 : 2);
        EXPECT_EQ(db.Query(QStringLiteral("pragma integrity_check"))->Field(0).toString(),
                  QStringLiteral("ok"));
        if (backupRestored) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(file.readAll(), asPut) << "the journal was played into the backup";
        }
    }
}
