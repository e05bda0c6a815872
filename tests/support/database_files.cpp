#include "support/database_files.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/fsuid.h>
#include <unistd.h>

#include <QFile>
#include <future>

#include "platform/database.h"

namespace testing_support {

ForeignLock::ForeignLock(const QString& path, std::chrono::milliseconds hold, LockKind kind) {
    std::promise<bool> locked;
    std::future<bool> taken = locked.get_future();
    const char* begin = kind == LockKind::Write ? "begin immediate" : "begin exclusive";
    holder_ =
        std::thread([file = path.toUtf8(), hold, begin, locked = std::move(locked)]() mutable {
            sqlite3* db = nullptr;
            const bool held = sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE,
                                              nullptr) == SQLITE_OK &&
                              sqlite3_exec(db, begin, nullptr, nullptr, nullptr) == SQLITE_OK;
            locked.set_value(held);
            if (held) {
                std::this_thread::sleep_for(hold);
                sqlite3_exec(db, "commit", nullptr, nullptr, nullptr);
            }
            sqlite3_close(db);
        });
    if (!taken.get()) ADD_FAILURE() << "could not lock " << path.toStdString();
}

ForeignLock::~ForeignLock() {
    holder_.join();
}

void DamagePages(const QString& path) {
    constexpr qint64 kPageSize = 4096;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_GT(file.size(), 3 * kPageSize) << "too few pages to damage";
    file.seek(2 * kPageSize);
    file.write(QByteArray(file.size() - 2 * kPageSize, '\xA5'));
}

bool RefuseCommitsOfInsertsInto(platform::Connection& connection, const QString& table) {
    // A deferred foreign key that every insert into the table breaks: it is checked at the
    // commit only.
    for (const QString& sql :
         {QStringLiteral("pragma foreign_keys = on"),
          QStringLiteral("create table if not exists held (id integer primary key)"),
          QStringLiteral("create table if not exists holder (held integer references held (id) "
                         "deferrable initially deferred)"),
          QStringLiteral("create trigger hold_%1 after insert on %1 begin insert into holder "
                         "values (7); end")
              .arg(table)})
        if (!connection.Execute(sql)) return false;
    return true;
}

OrdinaryUserFileAccess::OrdinaryUserFileAccess()
    : previous_(setfsuid(geteuid() == 0 ? 65534 : geteuid())) {}

OrdinaryUserFileAccess::~OrdinaryUserFileAccess() {
    setfsuid(previous_);
}

}  // namespace testing_support
