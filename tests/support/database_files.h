#pragma once

#include <QList>
#include <QString>

namespace platform {
class Connection;
}

// Ways a database file meets the program in the field: damaged, or out of reach for writing.
// Another program's locks are another process's (support/other_program.h).
namespace testing_support {

// Makes every commit on `connection` after a `write` (a trigger's event, such as "insert on
// keywords" or "delete on ranks") fail, as a file that refuses the transaction at its end does:
// each statement itself goes through. Whether the setup took.
bool RefuseCommitsAfter(platform::Connection& connection, const QString& write);
bool RefuseCommitsOfKeywordInserts(platform::Connection& connection);

// Overwrites every page of the database file at `path` from the third on with bytes that are
// no database page; the first page, and with it the list of tables, stays readable.
void DamagePages(const QString& path);
// Overwrites the pages numbered `pages` (from 1) of the database file at `path` so.
void DamagePages(const QString& path, const QList<qint64>& pages);
// The numbers of the overflow pages of `table`: the pages holding the parts of long values that
// do not fit their row's page. Read through `connection`, open on the file.
QList<qint64> OverflowPages(platform::Connection& connection, const QString& table);

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
