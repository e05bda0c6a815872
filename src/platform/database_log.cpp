#include "platform/database_log.h"

#include <dirent.h>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>
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

// Checks a copy of the file, with a copy of its log (named by `logSuffix`) when one is given:
// the file itself is never opened by the library here, so nothing is played into it. Unchecked
// when no copy could be made (a full or missing temporary folder).
Soundness CopyIntegrity(const QString& path, const QString& logSuffix = {}) {
    QTemporaryDir folder;
    if (!folder.isValid()) return Soundness::Unchecked;
    const QString copy = folder.filePath(QStringLiteral("check.db"));
    if (!QFile::copy(path, copy)) return Soundness::Unchecked;
    if (!logSuffix.isEmpty() && !QFile::copy(path + logSuffix, copy + logSuffix))
        return Soundness::Unchecked;
    return IntegrityOf(copy);
}

// What the integrity check of the file played with its log says: nothing when the log may be
// played, else why not. `unchecked` is the answer when no copy could be checked.
std::optional<AsideReason> ReasonFromCopies(const QString& path, const QString& logSuffix,
                                            std::optional<AsideReason> unchecked) {
    const Soundness withLog = CopyIntegrity(path, logSuffix);
    if (withLog == Soundness::Sound) return std::nullopt;
    const Soundness alone =
        withLog == Soundness::Unchecked ? Soundness::Unchecked : CopyIntegrity(path);
    switch (alone) {
        case Soundness::Sound:
            return AsideReason::NotTheFiles;
        case Soundness::Unchecked:
            return unchecked;
        case Soundness::Unsound:
            break;
    }
    // Unsound either way: the log may hold the file's last rows, and the damage is the file's.
    return std::nullopt;
}

// Whether any process has the file at `path` open: a journal is written through a descriptor
// the whole time its job runs. Processes whose descriptors cannot be read are not seen.
bool OpenByAProcess(const QString& path) {
    struct stat wanted {};
    if (::stat(QFile::encodeName(path).constData(), &wanted) != 0) return false;
    DIR* processes = ::opendir("/proc");
    if (!processes) return false;
    bool open = false;
    while (const dirent* process = ::readdir(processes)) {
        if (open) break;
        if (process->d_name[0] < '1' || process->d_name[0] > '9') continue;
        const QByteArray folder = QByteArray("/proc/") + process->d_name + "/fd";
        DIR* descriptors = ::opendir(folder.constData());
        if (!descriptors) continue;
        while (const dirent* descriptor = ::readdir(descriptors)) {
            struct stat seen {};
            if (descriptor->d_name[0] != '.' &&
                ::stat((folder + '/' + descriptor->d_name).constData(), &seen) == 0 &&
                seen.st_dev == wanted.st_dev && seen.st_ino == wanted.st_ino) {
                open = true;
                break;
            }
        }
        ::closedir(descriptors);
    }
    ::closedir(processes);
    return open;
}

// Moves the log at `log` aside under a name of its own: its rows are another file's, or not
// known to be this one's. Where it went, or nothing when it could not be moved.
std::optional<QString> SetAside(const QString& log) {
    QString aside = log + QStringLiteral(".stale");
    for (int n = 2; QFileInfo::exists(aside); ++n) aside = log + QStringLiteral(".stale%1").arg(n);
    if (!QFile::rename(log, aside)) return std::nullopt;
    return aside;
}

LogCheck Decide(const QString& log, std::optional<AsideReason> reason) {
    if (!reason) return {};
    const std::optional<QString> aside = SetAside(log);
    if (!aside) return {LogVerdict::Unmovable, {}, *reason};
    return {LogVerdict::SetAside, *aside, *reason};
}

// The write-ahead log: played only when the file played with it is sound.
LogCheck PrepareWriteAheadLog(const QString& path) {
    const QString log = path + QStringLiteral("-wal");
    if (QFileInfo(log).size() == 0) return {};
    // A running program's log is never touched. When that program does not hold this very
    // file, the file was replaced under it: the library would read the other file's pages out
    // of the log, so this file waits until that program has let go of its log.
    if (LogInUse(path))
        return {FileInUse(path) ? LogVerdict::Replay : LogVerdict::HeldByOther, {}, {}};
    // The library leaves a log only while its file stays in log mode.
    if (InRollbackMode(path)) return Decide(log, AsideReason::NotTheFiles);
    return Decide(log, ReasonFromCopies(path, QStringLiteral("-wal"), AsideReason::Unchecked));
}

// What a rollback journal's first header says, and the file's first page as the journal saved
// it before the job changed it (when the job changed it).
struct JournalContents {
    quint32 pagesBefore = 0;  // the file's length in pages before the job
    quint32 pageSize = 0;
    std::optional<QByteArray> firstPage;  // its first 100 bytes: the file header
};

constexpr char kJournalMagic[] = "\xd9\xd5\x05\xf9\x20\xa1\x63\xd7";
constexpr int kFileHeaderSize = 100;

quint32 BigEndian32(const QByteArray& bytes, int at) {
    return qFromBigEndian<quint32>(bytes.constData() + at);
}

// Reads the journal's headers and walks its page records, segment by segment, as the library
// plays them; nothing when it cannot be read. A first header the library would refuse leaves
// the page size 0, which no file has.
std::optional<JournalContents> ReadJournal(const QString& log) {
    QFile journal(log);
    if (!journal.open(QIODevice::ReadOnly)) return std::nullopt;
    const qint64 size = journal.size();
    JournalContents contents;
    quint32 sectorSize = 0;
    for (qint64 segment = 0; segment + 28 <= size;) {
        if (!journal.seek(segment)) break;
        const QByteArray header = journal.read(28);
        if (header.size() < 28 || !header.startsWith(QByteArrayView(kJournalMagic, 8))) break;
        quint32 records = BigEndian32(header, 8);
        if (segment == 0) {
            contents.pagesBefore = BigEndian32(header, 16);
            sectorSize = BigEndian32(header, 20);
            contents.pageSize = BigEndian32(header, 24);
            const bool powersOfTwo = (sectorSize & (sectorSize - 1)) == 0 &&
                                     (contents.pageSize & (contents.pageSize - 1)) == 0;
            if (!powersOfTwo || sectorSize < 32 || sectorSize > 65536 || contents.pageSize < 512 ||
                contents.pageSize > 65536)
                return contents;  // the library refuses such a journal: never the file's own
        }
        const qint64 recordSize = qint64(contents.pageSize) + 8;
        const qint64 first = segment + sectorSize;
        if (records == 0xffffffffu) records = quint32(qMax<qint64>(0, size - first) / recordSize);
        for (quint32 r = 0; r < records; ++r) {
            const qint64 at = first + r * recordSize;
            if (at + recordSize > size || !journal.seek(at)) return contents;
            const QByteArray record = journal.read(4 + kFileHeaderSize);
            if (record.size() < 4 + kFileHeaderSize) return contents;
            if (BigEndian32(record, 0) == 1 && !contents.firstPage)
                contents.firstPage = record.mid(4);
        }
        const qint64 end = first + records * recordSize;
        segment = (end + sectorSize - 1) / sectorSize * sectorSize;
        if (records == 0) break;
    }
    return contents;
}

// Whether the journal's saved state fits the file: the journal of a job killed on this very
// file saved the header the file still has (its change counter at most one further), or, when
// the job never changed the first page, the file's length before the job.
bool JournalFitsTheFile(const JournalContents& journal, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray header = file.read(kFileHeaderSize);
    if (header.size() < kFileHeaderSize ||
        !header.startsWith(QByteArrayView("SQLite format 3\0", 16)))
        return false;
    const quint32 pageSize = qFromBigEndian<quint16>(header.constData() + 16);
    if ((pageSize == 1 ? 65536u : pageSize) != journal.pageSize) return false;
    if (journal.firstPage) {
        const QByteArray& saved = *journal.firstPage;
        const quint32 counterSaved = BigEndian32(saved, 24);
        const quint32 counterNow = BigEndian32(header, 24);
        return header.left(24) == saved.left(24) &&
               (counterNow == counterSaved || counterNow == counterSaved + 1);
    }
    // The page count in the header holds only where the file says it is up to date.
    const bool countValid = BigEndian32(header, 92) == BigEndian32(header, 24);
    return !countValid || BigEndian32(header, 28) == journal.pagesBefore;
}

// The rollback journal of a job that never finished: played back only into the file it was
// written for, which then stands as it did before that job.
LogCheck PrepareJournal(const QString& path) {
    const QString log = path + QStringLiteral("-journal");
    QFile journal(log);
    if (!journal.open(QIODevice::ReadOnly)) return {};
    char first = 0;
    // Empty, or its header never finished: the library plays nothing.
    if (!journal.getChar(&first) || first == 0) return {};
    journal.close();
    // Another program's job under way on this file: the library's own locks keep it safe.
    if (FileInUse(path)) return {};
    // A job under way whose file was replaced under it: its journal is not this file's, and is
    // never touched while that job may still need it.
    if (OpenByAProcess(log)) return {LogVerdict::HeldByOther, {}, {}};
    const std::optional<JournalContents> contents = ReadJournal(log);
    if (!contents) return {};
    if (!JournalFitsTheFile(*contents, path)) return Decide(log, AsideReason::NotTheFiles);
    // The header fits: a copy that cannot be checked does not outweigh it, since a killed job's
    // file without its journal is a half-written one.
    return Decide(log, ReasonFromCopies(path, QStringLiteral("-journal"), std::nullopt));
}

}  // namespace

LogCheck PrepareLog(const QString& path) {
    LogCheck journal = PrepareJournal(path);
    if (journal.verdict != LogVerdict::Replay && journal.verdict != LogVerdict::SetAside)
        return journal;
    LogCheck writeAhead = PrepareWriteAheadLog(path);
    if (journal.verdict == LogVerdict::SetAside) {
        if (writeAhead.verdict == LogVerdict::Replay) return journal;
        if (writeAhead.verdict == LogVerdict::SetAside)
            writeAhead.setAsideTo =
                journal.setAsideTo + QStringLiteral("\n") + writeAhead.setAsideTo;
    }
    return writeAhead;
}

}  // namespace platform::database_log
