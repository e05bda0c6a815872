#pragma once

#include <QString>

// The start-up registration: a value under the machine's Run key that names the launcher
// autorun.exe in the program folder while it is on, and holds one blank while it is off.

// The launcher's path, the value that registers the program.
QString AutorunLauncherPath();
// The stored value, exactly as stored (empty when there is none).
QString AutorunValue();
// Whether the stored value names the launcher.
bool AutorunRegistered();
// Writes the value for `on` unless it holds it already.
void SetAutorun(bool on);
