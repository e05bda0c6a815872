#pragma once

#include <QString>
#include <chrono>
#include <thread>

namespace platform {
class Connection;
}

// Ways a database file meets the program in the field: held by another program, damaged, or
// out of reach for writing.
namespace testing_support {

// The locks another program takes on a database file: the write lock of a write under way, which
// lets readers read on, or the exclusive lock, which lets nobody in.
enum class LockKind { Write, Exclusive };

// Another program's hold on a database file: another thread takes the file's lock of `kind`,
// keeps it for `hold` and lets go. The constructor returns once the lock is held; the
// destructor waits for the release.
class ForeignLock {
  public:
    ForeignLock(const QString& path, std::chrono::milliseconds hold,
                LockKind kind = LockKind::Exclusive);
    ~ForeignLock();
    ForeignLock(const ForeignLock&) = delete;
    ForeignLock& operator=(const ForeignLock&) = delete;

  private:
    std::thread holder_;
};

// Makes every commit on `connection` after an insert into `table` fail, as a file that refuses
// the transaction at its end does: each insert itself goes through. Whether the setup took.
bool RefuseCommitsOfInsertsInto(platform::Connection& connection, const QString& table);
inline bool RefuseCommitsOfKeywordInserts(platform::Connection& connection) {
    return RefuseCommitsOfInsertsInto(connection, QStringLiteral("keywords"));
}

// Overwrites every page of the database file at `path` from the third on with bytes that are
// no database page; the first page, and with it the list of tables, stays readable.
void DamagePages(const QString& path);

// File access as an ordinary user has it, for the object's lifetime, in this thread: a test run
// as root would otherwise write to read-only files and folders.
class OrdinaryUserFileAccess {
  public:
    OrdinaryUserFileAccess();
    ~OrdinaryUserFileAccess();
    OrdinaryUserFileAccess(const OrdinaryUserFileAccess&) = delete;
    OrdinaryUserFileAccess& operator=(const OrdinaryUserFileAccess&) = delete;

  private:
    int previous_;
};

}  // namespace testing_support
