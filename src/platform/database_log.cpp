#include "platform/database_log.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <optional>

namespace platform::database_log {
namespace {

// Whether another process holds a lock in [start, start + length) of the file at `path`. Every
// connection that uses a write-ahead log keeps a read lock on one byte of the log's index file
// (-shm) and on the lock range of the database file itself, as long as it is open.
bool LockedByAnotherProcess(const QString& path, off_t start, off_t length) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return false;
    struct flock probe {};
    probe.l_type = F_WRLCK;
    probe.l_whence = SEEK_SET;
    probe.l_start = start;
    probe.l_len = length;
    const bool locked = ::fcntl(fd, F_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
    ::close(fd);
    return locked;
}

// The byte of the log index that every connection of a log holds while it is open.
constexpr off_t kLogIndexInUseByte = 128;
// The database file's lock range: the pending byte and what follows it.
constexpr off_t kFileLockStart = 0x40000000;
constexpr off_t kFileLockLength = 512;

bool LogInUse(const QString& path) {
    return LockedByAnotherProcess(path + QStringLiteral("-shm"), kLogIndexInUseByte, 1);
}

bool FileInUse(const QString& path) {
    return LockedByAnotherProcess(path, kFileLockStart, kFileLockLength);
}

// Whether the file is in rollback-journal mode: its header's read and write versions are 1 (a
// file in write-ahead-log mode has 2 there until its log is gone). The library leaves a log
// only while its file stays in log mode, so a log beside such a file is another file's.
bool InRollbackMode(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray header = file.read(20);
    return header.size() == 20 && header.startsWith(QByteArrayView("SQLite format 3\0", 16)) &&
           header[18] == 1 && header[19] == 1;
}

enum class Soundness { Sound, Unsound, Unchecked };

// Whether the database in `file` (with the log beside it, if any) passes the whole integrity
// check, indexes against their tables included: a log of another file can leave every page
// readable and still pair one file's table with another's index.
Soundness IntegrityOf(const QString& file) {
    sqlite3* db = nullptr;
    Soundness verdict = Soundness::Unchecked;
    if (sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) ==
        SQLITE_OK) {
        sqlite3_stmt* check = nullptr;
        int step = sqlite3_prepare_v2(db, "pragma integrity_check(1)", -1, &check, nullptr);
        if (step == SQLITE_OK) step = sqlite3_step(check);
        if (step == SQLITE_ROW)
            verdict =
                QByteArrayView(reinterpret_cast<const char*>(sqlite3_column_text(check, 0))) == "ok"
                    ? Soundness::Sound
                    : Soundness::Unsound;
        else if (step == SQLITE_CORRUPT || step == SQLITE_NOTADB)
            verdict = Soundness::Unsound;
        sqlite3_finalize(check);
    }
    sqlite3_close(db);
    return verdict;
}

// Checks a copy of the file, with a copy of its log when `withLog`: the file itself is never
// opened by the library here, so nothing is replayed into it. Unchecked when no copy could be
// made (a full or missing temporary folder).
Soundness CopyIntegrity(const QString& path, bool withLog) {
    QTemporaryDir folder;
    if (!folder.isValid()) return Soundness::Unchecked;
    const QString copy = folder.filePath(QStringLiteral("check.db"));
    if (!QFile::copy(path, copy)) return Soundness::Unchecked;
    if (withLog && !QFile::copy(path + QStringLiteral("-wal"), copy + QStringLiteral("-wal")))
        return Soundness::Unchecked;
    return IntegrityOf(copy);
}

// Whether the log may be replayed into the file; when not, why.
std::optional<AsideReason> ReasonToSetAside(const QString& path) {
    if (InRollbackMode(path)) return AsideReason::NotTheFiles;
    const Soundness withLog = CopyIntegrity(path, true);
    if (withLog == Soundness::Sound) return std::nullopt;
    const Soundness alone =
        withLog == Soundness::Unchecked ? Soundness::Unchecked : CopyIntegrity(path, false);
    switch (alone) {
        case Soundness::Sound:
            return AsideReason::NotTheFiles;
        case Soundness::Unchecked:
            return AsideReason::Unchecked;
        case Soundness::Unsound:
            break;
    }
    // Unsound either way: the log may hold the file's last rows, and the damage is the file's.
    return std::nullopt;
}

}  // namespace

LogCheck PrepareLog(const QString& path) {
    const QString log = path + QStringLiteral("-wal");
    if (QFileInfo(log).size() == 0) return {};
    // A running program's log is never touched. When that program does not hold this very
    // file, the file was replaced under it: the library would read the other file's pages out
    // of the log, so this file waits until that program has let go of its log.
    if (LogInUse(path))
        return {FileInUse(path) ? LogVerdict::Replay : LogVerdict::HeldByOther, {}, {}};
    const std::optional<AsideReason> reason = ReasonToSetAside(path);
    if (!reason) return {};
    // Kept under a name of its own: its rows are another file's, or not known to be this one's.
    QString aside = log + QStringLiteral(".stale");
    for (int n = 2; QFileInfo::exists(aside); ++n) aside = log + QStringLiteral(".stale%1").arg(n);
    if (!QFile::rename(log, aside)) return {LogVerdict::Unmovable, {}, *reason};
    return {LogVerdict::SetAside, aside, *reason};
}

}  // namespace platform::database_log
