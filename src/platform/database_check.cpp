#include "platform/database_check.h"

#include <sqlite3.h>

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include "platform/database.h"

namespace platform {
namespace {

// Pages copied a step: a few milliseconds of the window's time, and a hold on the file that
// other programs do not notice.
constexpr int kPagesPerStep = 256;
// Findings read at most: enough to tell damage from free pages nothing uses.
constexpr char kCheck[] = "pragma integrity_check(1000)";

// Whether a line of the check's findings tells damage: a free page that nothing uses is none,
// and neither is the line that names the database the next ones are about.
bool TellsDamage(QStringView line) {
    static const QRegularExpression noDamage(
        QStringLiteral("^(ok|Page \\d+ is never used|\\*\\*\\* in database \\w+ \\*\\*\\*)$"));
    return !line.isEmpty() && !noDamage.match(line).hasMatch();
}

}  // namespace

FullCheck::FullCheck(Connection& connection) : connection_(&connection) {
    connection_->fullCheck_ = this;
}

FullCheck::~FullCheck() {
    if (connection_ && connection_->fullCheck_ == this) connection_->fullCheck_ = nullptr;
    Abandon();
    if (checker_.joinable()) checker_.join();
}

void FullCheck::Abandon() {
    DropCopy();
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        if (checkerDb_) sqlite3_interrupt(checkerDb_);
    }
    // The copy goes with its folder; a check still reading it does so through its descriptor.
    folder_.reset();
    if (outcome_ == Outcome::Pending && !checking_) outcome_ = Outcome::Unchecked;
}

void FullCheck::DropCopy() {
    if (backup_) sqlite3_backup_finish(backup_);
    backup_ = nullptr;
    if (copy_) sqlite3_close(copy_);
    copy_ = nullptr;
}

void FullCheck::SourceClosing() {
    DropCopy();
}

void FullCheck::SourceGone() {
    Abandon();
    connection_ = nullptr;
}

bool FullCheck::Step() {
    if (checking_ || outcome_ != Outcome::Pending || !connection_) return false;
    sqlite3* source = connection_->db_;
    // Between jobs only: a job's transaction is not to be read half-made.
    if (!source || connection_->pending_ || !sqlite3_get_autocommit(source)) return true;
    if (!backup_) {
        if (!folder_) folder_ = std::make_unique<QTemporaryDir>();
        const QString copy = folder_->filePath(QStringLiteral("check.db"));
        QFile::remove(copy);
        if (!folder_->isValid() ||
            sqlite3_open_v2(QFile::encodeName(copy).constData(), &copy_,
                            SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK ||
            !(backup_ = sqlite3_backup_init(copy_, "main", source, "main"))) {
            DropCopy();
            outcome_ = Outcome::Unchecked;
            return false;
        }
    }
    int copied;
    {
        const NoLockWait noWait(*connection_);
        copied = sqlite3_backup_step(backup_, kPagesPerStep);
    }
    switch (copied) {
        case SQLITE_OK:
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return true;
        case SQLITE_DONE:
            break;
        default:
            DropCopy();
            outcome_ = (copied & 0xff) == SQLITE_CORRUPT || (copied & 0xff) == SQLITE_NOTADB
                           ? Outcome::Damaged
                           : Outcome::Unchecked;
            findings_ = QString::fromUtf8(sqlite3_errstr(copied));
            return false;
    }
    DropCopy();
    checking_ = true;
    checker_ =
        std::thread(&FullCheck::CheckCopy, this, folder_->filePath(QStringLiteral("check.db")));
    return false;
}

void FullCheck::CheckCopy(const QString& copy) {
    sqlite3* db = nullptr;
    QStringList damage;
    bool checked = false;
    if (sqlite3_open_v2(QFile::encodeName(copy).constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK) {
        {
            const std::lock_guard lock(mutex_);
            checkerDb_ = stopping_ ? nullptr : db;
        }
        sqlite3_stmt* statement = nullptr;
        int step =
            checkerDb_ ? sqlite3_prepare_v2(db, kCheck, -1, &statement, nullptr) : SQLITE_ABORT;
        while (step == SQLITE_OK || step == SQLITE_ROW) {
            step = sqlite3_step(statement);
            if (step != SQLITE_ROW) break;
            const QString finding =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
            for (const QStringView line : QStringView(finding).split(u'\n'))
                if (TellsDamage(line)) damage << line.toString();
        }
        checked = step == SQLITE_DONE;
        if ((step & 0xff) == SQLITE_CORRUPT || (step & 0xff) == SQLITE_NOTADB) {
            damage << QString::fromUtf8(sqlite3_errmsg(db));
            checked = true;
        }
        sqlite3_finalize(statement);
    }
    {
        const std::lock_guard lock(mutex_);
        checkerDb_ = nullptr;
        findings_ = damage.join(u'\n');
    }
    sqlite3_close(db);
    QFile::remove(copy);
    outcome_ = !checked ? Outcome::Unchecked : damage.isEmpty() ? Outcome::Sound : Outcome::Damaged;
}

QString FullCheck::Findings() const {
    const std::lock_guard lock(mutex_);
    return findings_;
}

void FullCheck::WaitForCheck() {
    if (checker_.joinable()) checker_.join();
}

}  // namespace platform
