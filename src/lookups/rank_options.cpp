#include "lookups/rank_options.h"

#include <QFile>

#include "lookups/engine_rules.h"
#include "platform/charset.h"
#include "platform/program_folder.h"
#include "shared/text_helpers.h"

namespace lookups {

QString ReadPaidListingMarker() {
    QFile file(platform::ProgramFolder() + QStringLiteral("/baidutag.txt"));
    if (!file.exists()) return kDefaultPaidListingMarker;
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QString text = platform::FileBytesToText(file.readAll());
    QString firstLine = text.section(u'\n', 0, 0);
    if (firstLine.endsWith(u'\r')) firstLine.chop(1);
    return TrimBlanks(firstLine);
}

}  // namespace lookups
