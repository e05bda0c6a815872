#include "platform/database.h"

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <thread>

namespace platform {

static_assert(SQLITE_OK == 0, "a connection starts with no failure recorded");

namespace {

// Whether the database file at `path` is in rollback-journal mode: its header's read and write
// versions are 1 (a file in write-ahead-log mode has 2 there until its log is gone).
bool InRollbackMode(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray header = file.read(20);
    return header.size() == 20 && header.startsWith(QByteArrayView("SQLite format 3\0", 16)) &&
           header[18] == 1 && header[19] == 1;
}

// A write-ahead log beside a file in rollback mode is not that file's: the library leaves its
// log only while the file stays in log mode, and a killed program leaves it so. Such a log
// beside a db.db copied over the old one would be replayed into the new file, so it is moved
// aside under a name of its own (its rows are the old file's, kept, not lost). False when it
// is there and cannot be moved.
bool SetAsideStrayLog(const QString& path, QString* error) {
    const QString log = path + QStringLiteral("-wal");
    if (QFileInfo(log).size() == 0 || !InRollbackMode(path)) return true;
    QString aside = log + QStringLiteral(".stale");
    for (int n = 2; QFileInfo::exists(aside); ++n) aside = log + QStringLiteral(".stale%1").arg(n);
    if (QFile::rename(log, aside)) return true;
    *error = QStringLiteral(
                 "a write-ahead log of another database file lies beside it and "
                 "cannot be moved aside: %1")
                 .arg(log);
    return false;
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
}

Connection::~Connection() {
    Close();
}

bool Connection::Open(const QString& path) {
    Close();
    connectionString_ = path;
    lastCode_ = SQLITE_OK;
    lastError_.clear();
    if (!QFileInfo(path).isFile()) {
        lastCode_ = SQLITE_CANTOPEN;
        lastError_ = QStringLiteral("database file not found: %1").arg(path);
        return false;
    }
    if (!SetAsideStrayLog(path, &lastError_)) {
        lastCode_ = SQLITE_CANTOPEN;
        return false;
    }
    sqlite3* db = nullptr;
    int result = sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    // Before the first read: a file another program holds for a moment is waited for, not
    // taken for an unreadable one.
    if (db) sqlite3_busy_handler(db, &Connection::WaitOutLock, this);
    if (result == SQLITE_OK)
        result = sqlite3_exec(db, "select count(*) from sqlite_master", nullptr, nullptr, nullptr);
    if (result != SQLITE_OK) {
        lastCode_ = result;
        lastError_ = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(result));
        sqlite3_close(db);
        return false;
    }
    UseWriteAheadLog(db);
    db_ = db;
    return true;
}

void Connection::UseWriteAheadLog(sqlite3* db) {
    // A commit appends to the log instead of rewriting pages and flushing the disk each time,
    // and readers no longer wait for a writer. At synchronous NORMAL a committed transaction
    // is in the system's hands before the commit returns: it survives the program being
    // killed at any moment; only a power cut may take the last commits, never the file's
    // soundness. A file that refuses the change (read-only) keeps its own journal and still
    // serves for reading.
    sqlite3_exec(db, "pragma journal_mode = wal", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "pragma synchronous = normal", nullptr, nullptr, nullptr);
}

void Connection::Close() {
    FinalizeStatements();
    // The file is left with an ordinary journal: it opens again from a folder that has become
    // read-only, and a copy of db.db alone is the whole database.
    if (db_) sqlite3_exec(db_, "pragma journal_mode = delete", nullptr, nullptr, nullptr);
    if (db_) sqlite3_close(db_);
    db_ = nullptr;
}

void Connection::FinalizeStatements() {
    for (sqlite3_stmt* statement : std::as_const(statements_)) sqlite3_finalize(statement);
    statements_.clear();
}

bool Connection::LastFailureWasLock() const {
    return lastCode_ == SQLITE_BUSY || lastCode_ == SQLITE_LOCKED;
}

QString Connection::LastFailureCause() const {
    switch (lastCode_ & 0xff) {  // the primary code of an extended one
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return QStringLiteral("数据库文件正被另一个程序锁定");
        case SQLITE_FULL:
            return QStringLiteral("磁盘已满，数据库文件无法再增大");
        case SQLITE_READONLY:
            return QStringLiteral("数据库文件或它所在的文件夹是只读的");
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            return QStringLiteral("数据库文件已损坏");
        case SQLITE_IOERR:
            return QStringLiteral("读写数据库文件时出错：%1").arg(lastError_);
        case SQLITE_CANTOPEN:
            return QStringLiteral("无法打开数据库文件：%1").arg(lastError_);
        default:
            return QStringLiteral("数据库出错：%1").arg(lastError_);
    }
}

int Connection::WaitOutLock(void* connection, int attempt) {
    // Short sleeps: the statement goes on soon after the other program lets go.
    constexpr std::chrono::milliseconds kPoll{10};
    Connection& self = *static_cast<Connection*>(connection);
    const auto now = std::chrono::steady_clock::now();
    if (attempt == 0) {
        ++self.lockWaits_;
        self.lockWaitStart_ = now;
    }
    const auto left = self.lockWait_ - (now - self.lockWaitStart_);
    if (left <= left.zero()) return 0;
    std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(left, kPoll));
    return 1;
}

bool Connection::Fail() {
    lastCode_ = sqlite3_errcode(db_);
    lastError_ = QString::fromUtf8(sqlite3_errmsg(db_));
    return false;
}

Connection::Statement Connection::Prepare(const QString& sql, const QVariantList& params) {
    if (!db_) {
        lastCode_ = SQLITE_MISUSE;
        lastError_ = QStringLiteral("database not open");
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
    Statement statement(raw);
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
                // Handed over as UTF-16: the database converts it in one pass of its own.
                const QString text = value.toString();
                bound = sqlite3_bind_text16(raw, i + 1, text.utf16(),
                                            static_cast<int>(text.size() * sizeof(char16_t)),
                                            SQLITE_TRANSIENT);
            }
        }
        if (bound != SQLITE_OK) {
            Fail();
            return nullptr;
        }
    }
    return statement;
}

bool Connection::Execute(const QString& sql, const QVariantList& params) {
    rowsAffected_ = 0;
    Statement statement = Prepare(sql, params);
    if (!statement) return false;
    int step;
    while ((step = sqlite3_step(statement.get())) == SQLITE_ROW) {
    }
    if (step != SQLITE_DONE) return Fail();
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

bool Connection::PagesIntact() {
    const std::optional<Recordset> verdict = Query(QStringLiteral("pragma quick_check(1)"));
    if (!verdict) return false;
    const QString found = verdict->Field(0).toString();
    if (found == u"ok") return true;
    lastCode_ = SQLITE_CORRUPT;
    lastError_ = found;
    return false;
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
    return Execute(QStringLiteral("begin immediate"));
}

bool Connection::Commit() {
    // A failure such as a full disk may have taken the transaction back already; its error stays
    // the one told.
    if (!db_ || sqlite3_get_autocommit(db_)) return false;
    if (Execute(QStringLiteral("commit"))) return true;
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
