#include "platform/folder_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLayout>

namespace platform {

QString RunFolderDialog(const QString& startFolder, const QString& prompt) {
    QFileDialog dialog(nullptr, prompt);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    if (!startFolder.isEmpty() && QDir(startFolder).exists()) dialog.setDirectory(startFolder);

    auto* status = new QLabel(&dialog);
    if (dialog.layout()) dialog.layout()->addWidget(status);
    QObject::connect(&dialog, &QFileDialog::currentChanged, status,
                     [status](const QString& path) { status->setText(path.left(64)); });

    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : QDir::toNativeSeparators(chosen.first());
}

}  // namespace platform
