#include "support/database_files.h"

#include <gtest/gtest.h>
#include <sys/fsuid.h>
#include <unistd.h>

#include <QFile>

#include "platform/database.h"

namespace testing_support {

namespace {

constexpr qint64 kPageSize = 4096;
constexpr char kDamage = '\xA5';

}  // namespace

void DamagePages(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_GT(file.size(), 3 * kPageSize) << "too few pages to damage";
    file.seek(2 * kPageSize);
    file.write(QByteArray(file.size() - 2 * kPageSize, kDamage));
}

void DamagePages(const QString& path, const QList<qint64>& pages) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    for (const qint64 page : pages) {
        ASSERT_LE(page * kPageSize, file.size()) << "no page " << page;
        file.seek((page - 1) * kPageSize);
        file.write(QByteArray(kPageSize, kDamage));
    }
}

QList<qint64> OverflowPages(platform::Connection& connection, const QString& table) {
    QList<qint64> pages;
    std::optional<platform::Recordset> found = connection.Query(
        QStringLiteral("select pageno from dbstat where name = ? and pagetype = 'overflow'"),
        {table});
    EXPECT_TRUE(found.has_value()) << connection.LastError().toStdString();
    for (; found && !found->Eof(); found->MoveNext()) pages << found->Field(0).toLongLong();
    return pages;
}

bool RefuseCommitsAfter(platform::Connection& connection, const QString& write) {
    // A deferred foreign key that every such write breaks: it is checked at the commit only.
    for (const QString& sql :
         {QStringLiteral("pragma foreign_keys = on"),
          QStringLiteral("create table held (id integer primary key)"),
          QStringLiteral("create table holder (held integer references held (id) deferrable "
                         "initially deferred)"),
          QStringLiteral("create trigger hold after %1 begin insert into holder values (7); end")
              .arg(write)})
        if (!connection.Execute(sql)) return false;
    return true;
}

bool RefuseCommitsOfKeywordInserts(platform::Connection& connection) {
    return RefuseCommitsAfter(connection, QStringLiteral("insert on keywords"));
}

OrdinaryUserFileAccess::OrdinaryUserFileAccess()
    : previous_(setfsuid(geteuid() == 0 ? 65534 : geteuid())) {}

OrdinaryUserFileAccess::~OrdinaryUserFileAccess() {
    setfsuid(previous_);
}

}  // namespace testing_support
