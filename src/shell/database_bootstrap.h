#pragma once

#include <QString>
#include <QStringList>

#include "platform/database.h"
#include "shared/shared_connection.h"

class QWidget;

// Opens db.db on `connection` unless it was asked to open already. When the file is missing or
// unusable: sets `*dbMissingFlag` (when given), warns, and hands the database download page to
// the shell with `owner` as the owner. The caller carries on in every case. A connection whose
// earlier open failed is not tried again; the flag is set all the same, without a second
// warning, so that the caller's database commands know the file is missing.
void OpenDatabaseOrWarn(platform::Connection& connection, QWidget* owner, bool* dbMissingFlag);

// The tables the program creates itself, in the order the start-up creates them.
inline const QStringList kBootstrapTables = {QStringLiteral("prs"), QStringLiteral("kwsetting"),
                                             QStringLiteral("kwlist")};

// Creates each of `tables` (from kBootstrapTables) that is missing on `connection`; the tables
// already present keep their rows. Nothing happens on a connection that is not open.
void CreateMissingTables(platform::Connection& connection, const QStringList& tables);

// Creates the missing ones among prs, kwsetting and kwlist on the shared connection.
void BootstrapSchema();
