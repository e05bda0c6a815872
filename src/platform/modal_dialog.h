#pragma once

#include <functional>

class QDialog;

namespace platform {

// Shows `dialog` modally: returns when the user has closed it. Tests install a runner that
// works the dialog from a script instead, so that no test waits on a real modal window.
void ShowModal(QDialog& dialog);

using ModalRunner = std::function<void(QDialog& dialog)>;
// Installs `runner` in place of the real modal loop; an empty runner restores it.
void InstallModalRunner(ModalRunner runner);

}  // namespace platform
