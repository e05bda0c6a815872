#pragma once

#include <functional>

// Ends the program at once, wherever it stands (also inside a job's waiting loop): the database
// connection is closed, a write under way taken back, and the windows go with the process;
// nothing else is saved first, as every setting and database write is already complete when it
// returns. Tests install a double in place of the process's end.
void EndProgram();

// Installs `end` in place of ending the process; an empty function restores the real end.
void InstallProgramEnd(std::function<void()> end);
