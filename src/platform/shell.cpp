#include "platform/shell.h"
#include "platform/replaceable.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace platform {
namespace {

QUrl ToUrl(const QString& target) {
    const QUrl url(target);
    if (url.scheme().size() > 1) return url;  // a one-letter scheme is a drive, not an address
    return QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
}

class DesktopShell final : public Shell {
  public:
    bool Open(const QString& target, QWidget*) override {
        return QDesktopServices::openUrl(ToUrl(target));
    }

    bool StartProgram(const QString& path, ShowStyle) override {
        return QProcess::startDetached(path, {});
    }

    bool EditTextFile(const QString& path) override {
        for (const char* editor : {"gnome-text-editor", "gedit", "kate", "mousepad", "xdg-open"}) {
            if (QProcess::startDetached(QString::fromLatin1(editor), {path})) return true;
        }
        return false;
    }
};

Replaceable<Shell, DesktopShell> theShell;

}  // namespace

Shell& TheShell() {
    return theShell.Get();
}

Shell* InstallShell(Shell* shell) {
    return theShell.Install(shell);
}

}  // namespace platform
