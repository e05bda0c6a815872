#pragma once

#include <QString>

namespace platform {

// Environment variable that names another program folder (tests give each case its own).
inline constexpr char kProgramFolderVariable[] = "TARNWICK_HOME";

// The folder of db.db, ver.txt, baidutag.txt and loginweb/: the executable's folder unless
// TARNWICK_HOME names another. Never ends in a separator.
QString ProgramFolder();

// The program's own title, used where a message box carries no title of its own.
QString ProgramTitle();

}  // namespace platform
