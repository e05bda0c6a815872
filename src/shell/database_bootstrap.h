#pragma once

#include <QString>
#include <QStringList>

#include "platform/database.h"
#include "shared/shared_connection.h"

class QWidget;

// The tables that ship inside db.db; a file without them is not the program's database.
inline const QStringList kShippedTables = {QStringLiteral("keywords"), QStringLiteral("ranks"),
                                           QStringLiteral("kws")};

// Opens db.db on `connection` unless it is open already. When the file is missing: sets
// `*dbMissingFlag` (when given), warns, and hands the database download page to the shell with
// `owner` as the owner; the next call looks for the file again, and completes what the start-up
// could not (the program's own tables, the index). A file that exists but cannot be opened, or
// opens but cannot serve, is told once per run, in a message that says what is wrong, and never
// as missing: one that cannot be opened or lacks the shipped tables is closed and set as
// missing, and looked at again by the next call; one that takes no writes stays open for
// reading.
// A file another program holds is never given up: it is told, and the next window load or
// statement that needs it tries again; a log set aside at the open is told too. The caller
// carries on in every case.
void OpenDatabaseOrWarn(platform::Connection& connection, QWidget* owner, bool* dbMissingFlag);

// For a window loaded while db.db could not be opened, at each use of its database commands:
// whether the file is still out of reach. A file put in place since, or opened by another window
// since, is taken (on the shared connection) and clears `dbMissingFlag`; one still missing says
// nothing more, and a damaged one is not told again.
bool DatabaseStillMissing(bool& dbMissingFlag);

// The tables the program creates itself, in the order the start-up creates them.
inline const QStringList kBootstrapTables = {QStringLiteral("prs"), QStringLiteral("kwsetting"),
                                             QStringLiteral("kwlist")};

// Creates each of `tables` (from kBootstrapTables) that is missing on `connection`; the tables
// already present keep their rows. Nothing happens on a connection that is not open.
void CreateMissingTables(platform::Connection& connection, const QStringList& tables);

// Creates the missing ones among prs, kwsetting and kwlist on the shared connection.
void BootstrapSchema();

// Gives table keywords its index on `keys` when it has none, so that finding a keyword costs
// the same with 40 or 1,000,000 stored. A plain index, which every reader of the file reads. A
// file that takes no write now (read-only, or another program's lock) goes on without it,
// without waiting; the next open tries again.
void IndexKeywordLookups(platform::Connection& connection);
