#pragma once

#include <QString>

#include "platform/database.h"

// The program's one connection to db.db, shared by the main window, the mining window, the
// database window and their dialogs. Created on first use and never closed; the first caller
// that finds its connection string empty opens it.
platform::Connection& SharedConnection();
// Replaces the shared connection by a new one that is not opened yet, so that the next opener
// opens db.db afresh (a test's new program folder). Earlier references to it become invalid.
void ForgetSharedConnection();

// The path of db.db in the program folder.
QString DatabasePath();
