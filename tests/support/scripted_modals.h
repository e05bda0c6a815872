#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>

#include "platform/modal_dialog.h"

namespace testing_support {

// A modal-dialog double: every dialog the program shows modally is handed to `work` (when
// set) while it is open, then closed; its title is recorded. No test waits on a real dialog.
class ScriptedModals {
  public:
    ScriptedModals() {
        platform::InstallModalRunner([this](QDialog& dialog) {
            titles << dialog.windowTitle();
            dialog.show();
            if (work) work(dialog);
            dialog.close();
        });
    }
    ~ScriptedModals() { platform::InstallModalRunner({}); }

    std::function<void(QDialog&)> work;
    QStringList titles;
};

}  // namespace testing_support
