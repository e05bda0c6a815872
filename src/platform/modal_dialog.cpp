#include "platform/modal_dialog.h"

#include <QDialog>

#include "platform/wait.h"

namespace platform {
namespace {

ModalRunner& Installed() {
    static ModalRunner runner;
    return runner;
}

}  // namespace

void ShowModal(QDialog& dialog) {
    const NestedLoop loop;
    if (Installed())
        Installed()(dialog);
    else
        dialog.exec();
}

void InstallModalRunner(ModalRunner runner) {
    Installed() = std::move(runner);
}

}  // namespace platform
