#include "platform/database.h"

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <thread>
#include <utility>

#include "platform/database_check.h"
#include "platform/database_guard.h"
#include "platform/database_log.h"

namespace platform {

static_assert(SQLITE_OK == 0, "a connection starts with no failure recorded");

namespace {

// The files that connections of this process hold open, by canonical path, with how many hold
// each: only a file none of them holds may be read through a descriptor of its own.
QHash<QString, int>& OpenFiles() {
    static QHash<QString, int> files;
    return files;
}

std::function<void(bool)>& LockWaitNotice() {
    static std::function<void(bool)> notice;
    return notice;
}

// The user's words for each failure; the library's own text follows where it says more.
QString FailureText(Failure failure, const QString& library) {
    switch (failure) {
        case Failure::None:
            return {};
        case Failure::Missing:
            return QStringLiteral("找不到数据库文件");
        case Failure::Locked:
            return QStringLiteral("数据库文件正被其他程序占用");
        case Failure::DiskFull:
            return QStringLiteral("磁盘已满，数据库文件无法写入");
        case Failure::ReadOnly:
            return QStringLiteral("数据库文件或它所在的文件夹是只读的");
        case Failure::Damaged:
            return QStringLiteral("数据库文件已损坏（%1）").arg(library);
        case Failure::Moved:
            return QStringLiteral("数据库文件在软件运行期间被移动、删除或替换");
        case Failure::Other:
            break;
    }
    return QStringLiteral("数据库操作失败（%1）").arg(library);
}

Failure FailureOfCode(int code) {
    switch (code & 0xff) {
        case SQLITE_OK:
            return Failure::None;
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return Failure::Locked;
        case SQLITE_FULL:
            return Failure::DiskFull;
        case SQLITE_READONLY:
            return code == SQLITE_READONLY_DBMOVED ? Failure::Moved : Failure::ReadOnly;
        case SQLITE_PERM:
            return Failure::ReadOnly;
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            return Failure::Damaged;
    }
    return Failure::Other;
}

}  // namespace

Recordset::Recordset(QStringList columns, QVector<QVector<QVariant>> rows)
    : columns_(std::move(columns)), rows_(std::move(rows)) {}

QVariant Recordset::Field(const QString& column) const {
    for (int i = 0; i < columns_.size(); ++i)
        if (columns_[i].compare(column, Qt::CaseInsensitive) == 0) return Field(i);
    return {};
}

QVariant Recordset::Field(int index) const {
    if (Eof() || index < 0 || index >= columns_.size()) return {};
    return rows_[position_][index];
}

void Connection::StatementReset::operator()(sqlite3_stmt* statement) const {
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    owner->EndLockWaitNotice();
}

void Connection::SetLockWaitNotice(std::function<void(bool waiting)> notice) {
    LockWaitNotice() = std::move(notice);
}

void Connection::EndLockWaitNotice() {
    if (!lockWaitShown_) return;
    lockWaitShown_ = false;
    if (LockWaitNotice()) LockWaitNotice()(false);
}

Connection::~Connection() {
    Close();
    if (fullCheck_) fullCheck_->SourceGone();
}

bool Connection::Open(const QString& path) {
    Close();
    connectionString_ = path;
    checked_ = false;
    lastCode_ = SQLITE_OK;
    lastError_.clear();
    setAsideLog_ = {};
    return OpenFile(lockWait_);
}

bool Connection::OpenFile(std::chrono::milliseconds wait) {
    const QString& path = connectionString_;
    if (!db_) {
        const QFileInfo file(path);
        if (!file.isFile())
            return Fail(SQLITE_CANTOPEN, QStringLiteral("database file not found: %1").arg(path));
        const QString canonical = file.canonicalFilePath();
        if (!OpenFiles().contains(canonical)) {
            const database_log::LogCheck log = database_log::PrepareLog(path);
            switch (log.verdict) {
                case database_log::LogVerdict::Replay:
                    break;
                case database_log::LogVerdict::SetAside:
                    setAsideLog_ = log;
                    break;
                case database_log::LogVerdict::HeldByOther:
                    pending_ = true;
                    return Fail(SQLITE_BUSY,
                                QStringLiteral("another program's live log lies beside it"));
                case database_log::LogVerdict::Unmovable:
                    // Opened, the file would take the log in: its folder takes no rename.
                    return Fail(SQLITE_READONLY,
                                QStringLiteral("a log of another database file lies beside it "
                                               "and cannot be moved aside"));
            }
        }
        sqlite3* db = nullptr;
        // Through the guard: nothing is written into the file once someone else changed it
        // under a job.
        const int opened = sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                                           SQLITE_OPEN_READWRITE, database_guard::VfsName());
        if (opened != SQLITE_OK) {
            const QString error =
                QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(opened));
            sqlite3_close(db);
            return Fail(opened, error);
        }
        sqlite3_extended_result_codes(db, 1);
        // Before the first read: a file another program holds for a moment is waited for, not
        // taken for an unreadable one.
        sqlite3_busy_handler(db, &Connection::WaitOutLock, this);
        db_ = db;
        watched_ = database_guard::WatchOf(db);
        registeredAs_ = canonical;
        ++OpenFiles()[canonical];
    }
    const std::chrono::milliseconds usual = std::exchange(lockWait_, wait);
    const int read =
        sqlite3_exec(db_, "select count(*) from sqlite_master", nullptr, nullptr, nullptr);
    EndLockWaitNotice();
    lockWait_ = usual;
    if (read != SQLITE_OK) {
        Fail();
        pending_ = LastFailureWasLock();
        if (!pending_) CloseFile();
        return false;
    }
    pending_ = false;
    // A commit returns only once the file itself holds it on the disk: a kill or a power cut
    // takes no row the program said it saved.
    sqlite3_exec(db_, "pragma synchronous = full", nullptr, nullptr, nullptr);
    UseRollbackJournal();
    return true;
}

void Connection::UseRollbackJournal() {
    // A file already in the journal mode changes nothing here and reads nothing. A log the
    // open replayed is folded into the file and removed, and the file stays one file from now
    // on. Not while another program shares the log: it is tried again at the next write.
    if (inRollbackJournal_) return;
    const NoLockWait noWait(*this);
    const int code = lastCode_;
    const QString error = lastError_;
    const std::optional<Recordset> mode = Query(QStringLiteral("pragma journal_mode = delete"));
    inRollbackJournal_ = mode && mode->Field(0).toString() == u"delete";
    lastCode_ = code;
    lastError_ = error;
}

void Connection::Close() {
    if (db_ && fullCheck_) fullCheck_->Abandon();
    CloseFile();
    pending_ = false;
    moved_ = false;
}

void Connection::CloseFile() {
    FinalizeStatements();
    if (!db_) return;
    if (fullCheck_) fullCheck_->SourceClosing();
    sqlite3_close(db_);
    db_ = nullptr;
    watched_ = nullptr;
    inRollbackJournal_ = false;
    if (--OpenFiles()[registeredAs_] <= 0) OpenFiles().remove(registeredAs_);
    registeredAs_.clear();
}

void Connection::FinalizeStatements() {
    for (sqlite3_stmt* statement : std::as_const(statements_)) sqlite3_finalize(statement);
    statements_.clear();
}

bool Connection::Reconnect() {
    // Another program held the file at the open: one try, without holding up the window.
    if (!moved_) return OpenFile(std::chrono::milliseconds::zero());
    // The user asks again after being told that the file moved: the file at the path now. While
    // there is none, every statement asks for it again.
    CloseFile();
    moved_ = false;
    const bool opened = OpenFile(lockWait_);
    // One held by another program is the file at the path, and waits as any open does.
    moved_ = !opened && !db_;
    return opened;
}

bool Connection::FileInPlace() {
    int moved = 0;
    const bool gone =
        sqlite3_file_control(db_, "main", SQLITE_FCNTL_HAS_MOVED, &moved) == SQLITE_OK && moved;
    return (!gone && database_guard::LookAgain(watched_) == database_guard::Change::None) ||
           FailMoved();
}

bool Connection::FailMoved() {
    moved_ = true;
    return Fail(SQLITE_READONLY_DBMOVED, QStringLiteral("the database file was changed"));
}

bool Connection::ReadyToWrite() {
    if (db_ && !pending_ && !sqlite3_get_autocommit(db_)) {
        // Inside a transaction the file it began on stays the one. What its rows cost is a look
        // at what was noticed already, no system call: the file is looked at where the
        // transaction begins and commits, and before every page the library writes into it.
        if (inOneLockWait_ && lockOutlasted_)
            return Fail(SQLITE_BUSY, QStringLiteral("another program's lock outlasted the wait"));
        return database_guard::ChangeUnderJob(watched_) == database_guard::Change::None ||
               FailMoved();
    }
    if ((moved_ || pending_) && !Reconnect()) return false;
    if (!db_) return Fail(SQLITE_MISUSE, QStringLiteral("database not open"));
    if (!FileInPlace()) return false;
    UseRollbackJournal();
    return true;
}

Failure Connection::LastFailure() const {
    if (lastCode_ == SQLITE_CANTOPEN && !QFileInfo(connectionString_).isFile())
        return Failure::Missing;
    return FailureOfCode(lastCode_);
}

QString Connection::LastError() const {
    return FailureText(LastFailure(), lastError_);
}

bool Connection::LastFailureEndsWrites() const {
    const Failure failure = LastFailure();
    return failure == Failure::Locked || failure == Failure::Moved;
}

int Connection::WaitOutLock(void* connection, int attempt) {
    // Short sleeps: the statement goes on soon after the other program lets go.
    constexpr std::chrono::milliseconds kPoll{10};
    Connection& self = *static_cast<Connection*>(connection);
    if (self.lockOutlasted_) return 0;
    const auto now = std::chrono::steady_clock::now();
    if (attempt == 0) {
        self.lockWaitStart_ = now;
        if (self.lockWait_ > self.lockWait_.zero()) {
            ++self.lockWaits_;
            if (!self.lockWaitShown_ && LockWaitNotice()) {
                self.lockWaitShown_ = true;
                LockWaitNotice()(true);
            }
        }
    }
    const auto left = self.lockWait_ - (now - self.lockWaitStart_);
    if (left <= left.zero()) {
        // The library swallows some of these (a write of pages it may make later): the scope
        // learns of it here, and waits no more.
        if (self.inOneLockWait_ && self.lockWait_ > self.lockWait_.zero())
            self.lockOutlasted_ = true;
        return 0;
    }
    std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(left, kPoll));
    return 1;
}

bool Connection::Fail() {
    // A write the guard refused, and whatever followed it, fails for the change it saw.
    if (database_guard::LookAgain(watched_) != database_guard::Change::None) return FailMoved();
    return Fail(sqlite3_extended_errcode(db_), QString::fromUtf8(sqlite3_errmsg(db_)));
}

bool Connection::Fail(int code, const QString& error) {
    lastCode_ = code;
    lastError_ = error;
    if (inOneLockWait_ && LastFailureWasLock()) lockOutlasted_ = true;
    return false;
}

Connection::Statement Connection::Prepare(const QString& sql, const QVariantList& params) {
    // Once a move was told, every statement outside a transaction asks for the file at the
    // path: a save that reads before it writes decides on the rows of the file it writes to.
    const bool inTransaction = db_ && !sqlite3_get_autocommit(db_);
    if ((pending_ || moved_) && !inTransaction && !Reconnect()) return nullptr;
    if (!db_) {
        Fail(SQLITE_MISUSE, QStringLiteral("database not open"));
        return nullptr;
    }
    // No statement is in use between two calls, so the cache may start afresh when it has grown
    // beyond the few texts a program runs.
    constexpr int kCachedStatements = 64;
    sqlite3_stmt* raw = statements_.value(sql);
    if (!raw) {
        if (statements_.size() >= kCachedStatements) FinalizeStatements();
        if (sqlite3_prepare_v2(db_, sql.toUtf8().constData(), -1, &raw, nullptr) != SQLITE_OK) {
            Fail();
            return nullptr;
        }
        statements_.insert(sql, raw);
    }
    Statement statement(raw, StatementReset{this, {}});
    for (int i = 0; i < params.size(); ++i) {
        const QVariant& value = params[i];
        int bound = SQLITE_OK;
        switch (value.typeId()) {
            case QMetaType::UnknownType:
                bound = sqlite3_bind_null(raw, i + 1);
                break;
            case QMetaType::Int:
            case QMetaType::LongLong:
            case QMetaType::UInt:
            case QMetaType::Bool:
                bound = sqlite3_bind_int64(raw, i + 1, value.toLongLong());
                break;
            case QMetaType::Double:
                bound = sqlite3_bind_double(raw, i + 1, value.toDouble());
                break;
            default: {
                // Handed over in the file's own encoding: Qt's conversion is many times faster
                // than the database's, which a job writing thousands of rows would wait for. The
                // statement keeps the bytes until its use ends, so the library needs no copy.
                QByteArray& text =
                    statement.get_deleter().boundTexts.emplace_back(value.toString().toUtf8());
                bound = sqlite3_bind_text(raw, i + 1, text.constData(),
                                          static_cast<int>(text.size()), SQLITE_STATIC);
            }
        }
        if (bound != SQLITE_OK) {
            Fail();
            return nullptr;
        }
    }
    return statement;
}

bool Connection::Writes(const QString& sql) {
    const Statement statement = Prepare(sql, {});
    return statement && !sqlite3_stmt_readonly(statement.get());
}

bool Connection::Execute(const QString& sql, const QVariantList& params) {
    rowsAffected_ = 0;
    // Outside a transaction a write first makes sure of the file, which may open it anew: before
    // the statement is taken. Inside one the file stays, and a row's statement is looked up once.
    const bool inTransaction = db_ && !pending_ && !sqlite3_get_autocommit(db_);
    if (!inTransaction && Writes(sql) && !ReadyToWrite()) return false;
    Statement statement = Prepare(sql, params);
    if (!statement) return false;
    const bool writes = !sqlite3_stmt_readonly(statement.get());
    if (inTransaction && writes && !ReadyToWrite()) return false;
    int step;
    while ((step = sqlite3_step(statement.get())) == SQLITE_ROW) {
    }
    if (step != SQLITE_DONE) return Fail();
    // A write that was its own transaction went into the file at the path, or is told as lost.
    if (writes && sqlite3_get_autocommit(db_) && !FileInPlace()) return false;
    rowsAffected_ = sqlite3_changes(db_);
    return true;
}

std::optional<Recordset> Connection::Query(const QString& sql, const QVariantList& params) {
    Statement statement = Prepare(sql, params);
    if (!statement) return std::nullopt;
    QStringList columns;
    const int count = sqlite3_column_count(statement.get());
    for (int c = 0; c < count; ++c)
        columns << QString::fromUtf8(sqlite3_column_name(statement.get(), c));
    QVector<QVector<QVariant>> rows;
    int step;
    while ((step = sqlite3_step(statement.get())) == SQLITE_ROW) {
        QVector<QVariant> row(count);
        for (int c = 0; c < count; ++c) {
            sqlite3_stmt* s = statement.get();
            switch (sqlite3_column_type(s, c)) {
                case SQLITE_NULL:
                    break;
                case SQLITE_INTEGER:
                    row[c] = sqlite3_column_int64(s, c);
                    break;
                case SQLITE_FLOAT:
                    row[c] = sqlite3_column_double(s, c);
                    break;
                default:
                    row[c] =
                        QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, c)),
                                          sqlite3_column_bytes(s, c));
            }
        }
        rows << row;
    }
    if (step != SQLITE_DONE) {
        Fail();
        return std::nullopt;
    }
    return Recordset(std::move(columns), std::move(rows));
}

QUtf8StringView RowReader::Utf8(int field) const {
    // The text first, then its length: the order the library asks for.
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, field));
    return {text, sqlite3_column_bytes(statement_, field)};
}

bool Connection::ReadRows(const QString& sql, const QVariantList& params,
                          const std::function<void(const RowReader&)>& row) {
    Statement statement = Prepare(sql, params);
    if (!statement) return false;
    const RowReader reader(statement.get());
    int step;
    while ((step = sqlite3_step(statement.get())) == SQLITE_ROW) row(reader);
    return step == SQLITE_DONE || Fail();
}

bool Connection::HasTable(const QString& table) {
    const auto found =
        Query(QStringLiteral("select name from sqlite_master where type = 'table' and name = ?"),
              {table});
    return found && found->RecordCount() > 0;
}

bool Connection::TakesWrites() {
    if (!BeginWrite()) return false;
    // The version number is rewritten as it stands: a write that changes nothing.
    const std::optional<Recordset> version = Query(QStringLiteral("pragma user_version"));
    const bool written =
        version &&
        Execute(QStringLiteral("pragma user_version = %1").arg(version->Field(0).toLongLong()));
    Rollback();
    return written;
}

bool Connection::BeginWrite() {
    return ReadyToWrite() && Execute(QStringLiteral("begin immediate"));
}

bool Connection::Commit() {
    // A failure such as a full disk may have taken the transaction back already; its error stays
    // the one told.
    if (!db_ || sqlite3_get_autocommit(db_)) return false;
    if (FileInPlace() && Execute(QStringLiteral("commit"))) {
        // Kept, but into a file moved away during the commit: not the file the user has.
        return FileInPlace();
    }
    Rollback();
    return false;
}

void Connection::Rollback() {
    // A failure such as a full disk may have ended the transaction already.
    if (!db_ || sqlite3_get_autocommit(db_)) return;
    const int code = lastCode_;
    const QString error = lastError_;
    Execute(QStringLiteral("rollback"));
    lastCode_ = code;
    lastError_ = error;
}

}  // namespace platform
