#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QUtf8StringView>
#include <QVarLengthArray>
#include <QVariant>
#include <QVector>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "platform/database_log.h"

namespace platform::database_guard {
struct WatchedFile;
}

// The SQLite handles stay opaque here: only the database layer's source sees the library.
struct sqlite3;
struct sqlite3_stmt;

namespace platform {

class FullCheck;

// A read-only snapshot of a query's rows, walked like a forward record set.
class Recordset {
  public:
    Recordset() = default;
    Recordset(QStringList columns, QVector<QVector<QVariant>> rows);

    bool Eof() const { return position_ >= rows_.size(); }
    void MoveNext() { ++position_; }
    int RecordCount() const { return rows_.size(); }
    int FieldCount() const { return columns_.size(); }
    QString FieldName(int index) const { return columns_.value(index); }

    // The field of the current row by column name or position; null past the end.
    QVariant Field(const QString& column) const;
    QVariant Field(int index) const;
    // The field as text; a null field reads as an empty text.
    QString Text(const QString& column) const { return Field(column).toString(); }

  private:
    QStringList columns_;
    QVector<QVector<QVariant>> rows_;
    int position_ = 0;
};

// One row of a query being read, its fields straight from the statement: valid only while the
// row is handed over.
class RowReader {
  public:
    explicit RowReader(sqlite3_stmt* statement) : statement_(statement) {}
    // The field's text as the database holds it (UTF-8); empty for a null field.
    QUtf8StringView Utf8(int field) const;
    QString Text(int field) const { return Utf8(field).toString(); }

  private:
    sqlite3_stmt* statement_;
};

// How long a statement waits for another program's lock on the file to pass before it fails:
// long enough for any write another program makes.
constexpr std::chrono::milliseconds kLockWait{10000};

// What kept a statement from its work, in the terms the user is told.
enum class Failure {
    None,
    Missing,   // no database file at the path
    Locked,    // another program holds the file past the wait
    DiskFull,  // the disk has no room for the write
    ReadOnly,  // the file or its folder takes no writes
    Damaged,   // the file is no sound database
    Moved,     // the file was moved, deleted or replaced while open
    Other,
};

// A connection to the program's database file. Opening never creates the file: a missing
// db.db is an error the caller reports. Every value is bound as a parameter. Every statement,
// the first one of the open included, waits out another program's lock (kLockWait), without
// answering the window meanwhile: a job that writes many rows takes the lock once, in a write
// transaction (WriteTransaction), and gives up at the first lock that outlasts the wait.
//
// The file keeps the library's rollback journal, which exists only while a write is under way:
// after every commit the file alone is the whole database, on the disk before the commit
// returns, so that users may copy, restore or replace it between jobs. A journal or a
// write-ahead log beside the file is played into it at the open only when it is the file's own
// (database_log.h); a file that arrives with a write-ahead log is turned back to the journal.
//
// The file belongs to the library: while a connection to it is open in this process, nothing
// else here opens it or its journal (closing any other descriptor of a file drops the
// process's locks on it). A file held by another program when it is opened is not given up:
// the open is finished by the next statement, which tries once without waiting. Where a write
// transaction begins and commits, the connection asks whether the file still stands at its path
// and whether anybody else changed it under the job (database_guard.h); once it was moved,
// replaced, written over or cut short, nothing more is written to it, and the next write after
// that failure opens the file that stands at the path then.
class Connection {
  public:
    Connection() = default;
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // The file this connection was asked to open; empty until the first Open.
    QString ConnectionString() const { return connectionString_; }
    // Opens an existing database file read-write; false when it is missing or unusable, and
    // when another program holds it (LastFailure() Locked): the next statement then tries again.
    bool Open(const QString& path);
    bool IsOpen() const { return db_ != nullptr; }
    // Whether the open waits for another program's hold on the file to pass.
    bool OpenPending() const { return pending_; }
    void Close();
    // Where the open moved a log that it would not play into the file; empty when it found
    // none. The reason says why.
    QString SetAsideLog() const { return setAsideLog_.setAsideTo; }
    database_log::AsideReason SetAsideReason() const { return setAsideLog_.reason; }
    // Whether the program has checked that the opened file can serve it: the caller's mark,
    // cleared by every open.
    bool Checked() const { return checked_; }
    void SetChecked() { checked_ = true; }

    // Runs one statement with `params` bound to its "?" places; false on any error.
    bool Execute(const QString& sql, const QVariantList& params = {});
    // Rows changed by the last successful Execute.
    int RowsAffected() const { return rowsAffected_; }
    // Runs one query; nothing when it fails (a missing table, a closed connection).
    std::optional<Recordset> Query(const QString& sql, const QVariantList& params = {});
    // Runs one query and hands each row to `row` as the statement steps to it: nothing is copied
    // but what the caller keeps. False when the query fails, even after some rows were handed.
    bool ReadRows(const QString& sql, const QVariantList& params,
                  const std::function<void(const RowReader&)>& row);
    // Whether the table exists in the open database.
    bool HasTable(const QString& table);
    // Whether the file takes a write: tries one and takes it back. False for a read-only file
    // and for a folder that refuses the journal file a write needs.
    bool TakesWrites();

    // The last failure in the user's words, with the library's own text where it says more.
    QString LastError() const;
    Failure LastFailure() const;
    // Whether the last failure was another program's lock that outlasted the wait.
    bool LastFailureWasLock() const { return LastFailure() == Failure::Locked; }
    // Whether a job that met the last failure saves nothing more: the lock outlasted its one
    // wait, or the file is no longer the one at the path.
    bool LastFailureEndsWrites() const;

    // How long each statement waits out another program's lock; kLockWait unless set.
    void SetLockWait(std::chrono::milliseconds wait) { lockWait_ = wait; }
    std::chrono::milliseconds LockWait() const { return lockWait_; }
    // How many times a statement of this connection found the file locked and began to wait,
    // however the wait ended: the window stood still for up to one lock wait each time.
    int LockWaits() const { return lockWaits_; }
    // Shows the user that the program stands still for another program's lock: called with
    // true when a statement of any connection begins to wait, and with false when that
    // statement is done, however the wait ended. It runs inside the wait, so it may paint but
    // must hand no event to the windows. None until the program sets one.
    static void SetLockWaitNotice(std::function<void(bool waiting)> notice);

    // A transaction that takes the write lock at its start ("begin immediate"), so that its
    // writes never wait for another program's lock; false when the lock outlasted the wait.
    bool BeginWrite();
    // Keeps the transaction's writes; false, with nothing of them kept, when that failed.
    bool Commit();
    // Takes back the open transaction's writes, if any. The failure that led here stays the
    // last error: the one the user is told, not the rollback's.
    void Rollback();

  private:
    friend class OneLockWait;
    friend class FullCheck;
    // A statement in use; when its use ends it is reset, and stays prepared for the next use
    // of the same text: a job that runs one statement for thousands of rows parses it once. It
    // keeps the texts bound to it, which the library reads in place, until then.
    struct StatementReset {
        Connection* owner;
        QVarLengthArray<QByteArray, 8> boundTexts;
        void operator()(sqlite3_stmt* statement) const;
    };
    using Statement = std::unique_ptr<sqlite3_stmt, StatementReset>;
    Statement Prepare(const QString& sql, const QVariantList& params);
    void FinalizeStatements();
    // Opens the file at connectionString_, waiting `wait` for another program's hold.
    bool OpenFile(std::chrono::milliseconds wait);
    // Finishes an open that waited for another program, or opens the file that stands at the
    // path after the last one was moved; false when the file still cannot serve.
    bool Reconnect();
    // Whether the file still stands at the path and nobody else changed it under a job;
    // records the failure when not.
    bool FileInPlace();
    // Records that the file moved or changed under a job: nothing more is written to it.
    bool FailMoved();
    // Whether a write may go to the file: an open that waited is finished, a file moved after
    // that was told is replaced by the one at the path (between transactions), and the file
    // still stands there unchanged by others.
    bool ReadyToWrite();
    // Whether `sql` changes the file.
    bool Writes(const QString& sql);
    // Closes the library's handle and forgets its statements.
    void CloseFile();
    // Makes every commit durable in the file itself, and turns a file that arrived with a
    // write-ahead log back to the rollback journal (not while another program shares the log:
    // then at a later write).
    void UseRollbackJournal();
    // Takes back the notice of a lock wait, once the statement that waited is done.
    void EndLockWaitNotice();
    // Records the connection's last error; false, for the caller to return.
    bool Fail();
    bool Fail(int code, const QString& error);
    // The library's busy handler: sleeps a little and asks again until the lock wait is over.
    static int WaitOutLock(void* connection, int attempt);

    QString connectionString_;
    sqlite3* db_ = nullptr;
    bool pending_ = false;
    bool moved_ = false;
    bool inRollbackJournal_ = false;
    bool checked_ = false;
    QString registeredAs_;  // the canonical path under which the file counts as open
    database_log::LogCheck setAsideLog_;
    database_guard::WatchedFile* watched_ = nullptr;  // the guard's watch on the open file
    FullCheck* fullCheck_ = nullptr;  // a check copying the open file, told before it closes
    QHash<QString, sqlite3_stmt*> statements_;
    int rowsAffected_ = 0;
    QString lastError_;
    int lastCode_ = 0;  // the library's code of the last failure; 0 when none
    std::chrono::milliseconds lockWait_ = kLockWait;
    std::chrono::steady_clock::time_point lockWaitStart_;
    int lockWaits_ = 0;
    bool lockWaitShown_ = false;
    // Inside a OneLockWait, and whether one of its statements met a lock that outlasted the
    // wait: the later ones wait no more.
    bool inOneLockWait_ = false;
    bool lockOutlasted_ = false;
};

// Statements on `connection` that do not wait for another program's lock, for a scope: a save
// that must never hold up the window and is made again at the next chance.
class NoLockWait {
  public:
    explicit NoLockWait(Connection& connection)
        : connection_(connection), wait_(connection.LockWait()) {
        connection.SetLockWait(std::chrono::milliseconds::zero());
    }
    ~NoLockWait() { connection_.SetLockWait(wait_); }
    NoLockWait(const NoLockWait&) = delete;
    NoLockWait& operator=(const NoLockWait&) = delete;

  private:
    Connection& connection_;
    std::chrono::milliseconds wait_;
};

// Statements on `connection` that wait for another program's lock once, for a scope: after a
// lock has outlasted the wait, the scope's later statements fail at once instead of standing
// the window still again. A window's load reads many things, and waits once at most.
class OneLockWait {
  public:
    explicit OneLockWait(Connection& connection)
        : connection_(connection),
          outer_(std::exchange(connection.inOneLockWait_, true)),
          outerOutlasted_(connection.lockOutlasted_) {}
    // A scope inside another hands on what it met.
    ~OneLockWait() {
        connection_.inOneLockWait_ = outer_;
        connection_.lockOutlasted_ = outer_ && (outerOutlasted_ || connection_.lockOutlasted_);
    }
    OneLockWait(const OneLockWait&) = delete;
    OneLockWait& operator=(const OneLockWait&) = delete;

    // Whether a statement of the scope met a lock that outlasted the wait.
    bool Outlasted() const { return connection_.lockOutlasted_; }

  private:
    Connection& connection_;
    bool outer_;
    bool outerOutlasted_;
};

// A write transaction for a scope: begun when made, taken back unless committed, so that a job
// that returns early leaves nothing half-written. It waits for another program's lock once at
// most, a reader's included: after that its writes fail with the lock's cause.
class WriteTransaction {
  public:
    explicit WriteTransaction(Connection& connection)
        : oneWait_(connection), connection_(connection), open_(connection.BeginWrite()) {}
    ~WriteTransaction() {
        if (open_) connection_.Rollback();
    }
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;

    // Whether the transaction began: the write lock is held.
    bool Begun() const { return open_; }
    // Keeps the writes; false when nothing of them was kept.
    bool Commit() {
        open_ = false;
        return connection_.Commit();
    }

  private:
    OneLockWait oneWait_;
    Connection& connection_;
    bool open_;
};

}  // namespace platform
