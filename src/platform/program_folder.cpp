#include "platform/program_folder.h"

#include <QCoreApplication>
#include <QDir>

namespace platform {

QString ProgramFolder() {
    QString folder = qEnvironmentVariable(kProgramFolderVariable);
    if (folder.isEmpty()) folder = QCoreApplication::applicationDirPath();
    return QDir::cleanPath(folder);
}

QString ProgramTitle() {
    return QStringLiteral("Tarnwick");
}

}  // namespace platform
