#pragma once

#include <QString>

class QWidget;

namespace platform {

enum class ShowStyle { Hidden, Normal, Minimized };

// Hands addresses, files and programs to the desktop. Tests install a double that records what
// would have been opened or started.
class Shell {
  public:
    virtual ~Shell() = default;
    // Opens an address or a file with its default program; false when nothing took it.
    virtual bool Open(const QString& target, QWidget* owner = nullptr) = 0;
    // Starts a program with no arguments; false when it could not be started.
    virtual bool StartProgram(const QString& path, ShowStyle style) = 0;
    // Opens a text file in the system's text editor; false when none could be started.
    virtual bool EditTextFile(const QString& path) = 0;
};

Shell& TheShell();
// Installs `shell` (not owned); nullptr restores the desktop's. Returns the one it replaces.
Shell* InstallShell(Shell* shell);

}  // namespace platform
