#include "platform/folder_dialog.h"

#include <QDir>
#include <QEventLoop>
#include <QLabel>
#include <QLayout>

namespace platform {
namespace {

constexpr int kStatusLength = 64;

}  // namespace

FolderDialog::FolderDialog(const QString& startFolder, const QString& prompt)
    : QFileDialog(nullptr, prompt), status_(new QLabel(this)) {
    setFileMode(QFileDialog::Directory);
    setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    if (layout()) layout()->addWidget(status_);
    if (startFolder.isEmpty()) return;
    const auto showInStatus = [this](const QString& path) {
        if (!path.isEmpty()) status_->setText(QDir::toNativeSeparators(path).left(kStatusLength));
    };
    // The start folder opens selected, so the status line shows it from the first moment.
    if (QDir(startFolder).exists()) {
        setDirectory(startFolder);
        showInStatus(QDir(startFolder).absolutePath());
    }
    connect(this, &QFileDialog::currentChanged, status_, showInStatus);
}

QString FolderDialog::StatusText() const {
    return status_->text();
}

QString FolderDialog::Run() {
    setWindowModality(Qt::NonModal);
    QEventLoop loop;
    connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
    show();
    loop.exec();
    if (result() != QDialog::Accepted) return {};
    const QStringList chosen = selectedFiles();
    return chosen.isEmpty() ? QString() : QDir::toNativeSeparators(chosen.first());
}

QString RunFolderDialog(const QString& startFolder, const QString& prompt) {
    FolderDialog dialog(startFolder, prompt);
    return dialog.Run();
}

}  // namespace platform
