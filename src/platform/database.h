#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QUtf8StringView>
#include <QVariant>
#include <QVector>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

// The SQLite handles stay opaque here: only the database layer's source sees the library.
struct sqlite3;
struct sqlite3_stmt;

namespace platform {

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

// A connection to the program's database file. Opening never creates the file: a missing
// db.db is an error the caller reports. Every value is bound as a parameter. Every statement,
// the first one of the open included, waits out another program's lock (kLockWait), without
// answering the window meanwhile: a job that writes many rows takes the lock once, in a write
// transaction (WriteTransaction), and gives up at the first lock that outlasts the wait.
class Connection {
  public:
    Connection() = default;
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // The file this connection was asked to open; empty until the first Open.
    QString ConnectionString() const { return connectionString_; }
    // Opens an existing database file read-write; false when it is missing or unusable.
    bool Open(const QString& path);
    bool IsOpen() const { return db_ != nullptr; }
    void Close();

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
    // Whether every page of the file reads as sound database pages (a quick integrity check).
    bool PagesIntact();
    // Whether the file takes a write: tries one and takes it back. False for a read-only file
    // and for a folder that refuses the journal file a write needs.
    bool TakesWrites();

    QString LastError() const { return lastError_; }
    // Whether the last failure was another program's lock that outlasted the wait.
    bool LastFailureWasLock() const;
    // The last failure's cause in Chinese, for a message to the user: another program's lock,
    // a full disk, a read-only file or folder, a damaged file; any other failure in the
    // library's own words after a Chinese lead.
    QString LastFailureCause() const;

    // How long each statement waits out another program's lock; kLockWait unless set.
    void SetLockWait(std::chrono::milliseconds wait) { lockWait_ = wait; }
    // How many times a statement of this connection found the file locked and began to wait,
    // however the wait ended: the window stood still for up to one lock wait each time.
    int LockWaits() const { return lockWaits_; }

    // A transaction that takes the write lock at its start ("begin immediate"), so that its
    // writes never wait for another program's lock; false when the lock outlasted the wait.
    bool BeginWrite();
    // Keeps the transaction's writes; false, with nothing of them kept, when that failed.
    bool Commit();
    // Takes back the open transaction's writes, if any. The failure that led here stays the
    // last error: the one the user is told, not the rollback's.
    void Rollback();

  private:
    // A statement in use; when its use ends it is reset, and stays prepared for the next use
    // of the same text: a job that runs one statement for thousands of rows parses it once.
    struct StatementReset {
        void operator()(sqlite3_stmt* statement) const;
    };
    using Statement = std::unique_ptr<sqlite3_stmt, StatementReset>;
    Statement Prepare(const QString& sql, const QVariantList& params);
    void FinalizeStatements();
    static void UseWriteAheadLog(sqlite3* db);
    // Records the connection's last error; false, for the caller to return.
    bool Fail();
    // The library's busy handler: sleeps a little and asks again until the lock wait is over.
    static int WaitOutLock(void* connection, int attempt);

    QString connectionString_;
    sqlite3* db_ = nullptr;
    QHash<QString, sqlite3_stmt*> statements_;
    int rowsAffected_ = 0;
    QString lastError_;
    int lastCode_ = 0;  // the library's code of the last failure; 0 when none
    std::chrono::milliseconds lockWait_ = kLockWait;
    std::chrono::steady_clock::time_point lockWaitStart_;
    int lockWaits_ = 0;
};

// A write transaction for a scope: begun when made, taken back unless committed, so that a job
// that returns early leaves nothing half-written.
class WriteTransaction {
  public:
    explicit WriteTransaction(Connection& connection)
        : connection_(connection), open_(connection.BeginWrite()) {}
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
    Connection& connection_;
    bool open_;
};

}  // namespace platform
