#include "platform/modal_dialog.h"

#include <QDialog>

namespace platform {
namespace {

ModalRunner& Installed() {
    static ModalRunner runner;
    return runner;
}

}  // namespace

void ShowModal(QDialog& dialog) {
    if (Installed())
        Installed()(dialog);
    else
        dialog.exec();
}

void InstallModalRunner(ModalRunner runner) {
    Installed() = std::move(runner);
}

}  // namespace platform
