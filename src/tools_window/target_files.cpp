#include "tools_window/target_files.h"

#include <QFile>

#include "platform/charset.h"
#include "shared/text_helpers.h"

std::optional<QStringList> ReadTargetLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    QStringList lines;
    for (QString line : platform::FileBytesToText(file.readAll()).split(u'\n')) {
        if (line.endsWith(u'\r')) line.chop(1);
        line = TrimBlanks(line);
        if (!line.isEmpty()) lines << line;
    }
    return lines;
}
