#pragma once

#include <QString>

namespace platform {

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Icon { None, Information, Critical, Question, Exclamation };
enum class Answer { Ok, Cancel, Yes, No };

// Every modal question the program asks goes through this interface, so that tests can answer
// it from a script and no test ever opens a real dialog.
class Prompts {
  public:
    virtual ~Prompts() = default;
    virtual Answer MessageBox(const QString& text, const QString& title, Buttons buttons,
                              Icon icon) = 0;
    // The text entered; an empty text when the user cancels.
    virtual QString InputBox(const QString& prompt, const QString& title,
                             const QString& defaultText) = 0;
    // The chosen folder opened at `startFolder` under `prompt`; an empty text on cancel.
    virtual QString BrowseForFolder(const QString& startFolder, const QString& prompt) = 0;
    // The chosen file; an empty text on cancel. `filter` is a Qt name filter such as
    // "文本文件 (*.txt)".
    virtual QString OpenFile(const QString& title, const QString& filter) = 0;
};

// The prompts in force: real Qt dialogs unless a test has installed a double.
Prompts& ThePrompts();
// Whether a prompt waits for its answer. The folder picker lets the program's windows work
// meanwhile, so the code that asked still runs and still uses what it asked about.
bool PromptOpen();
// Installs `prompts` (not owned); nullptr restores the real dialogs. Returns the one it
// replaces.
Prompts* InstallPrompts(Prompts* prompts);

}  // namespace platform
