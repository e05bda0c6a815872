#pragma once

#include <functional>

// Ends the program at once, wherever it stands (also inside a job's waiting loop): the windows
// and the database connections go with the process; nothing else is saved first, as every
// setting and database write is already complete when it returns. Tests install a double.
void EndProgram();

// Installs `end` in place of ending the process; an empty function restores the real end.
void InstallProgramEnd(std::function<void()> end);
