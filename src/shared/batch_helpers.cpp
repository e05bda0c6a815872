#include "shared/batch_helpers.h"

#include "platform/clock.h"
#include "shared/batch_binding.h"
#include "shared/list_exporter.h"

namespace {

BatchBinding* installed = nullptr;

// The date and time as the system writes them (short date, a blank, long time; the date
// alone at midnight), with "-" for the blanks and colons a file name cannot carry.
QString DateTimeStamp() {
    const QDateTime now = platform::TheClock().Now();
    const QTime time = now.time();
    const bool midnight = time.hour() == 0 && time.minute() == 0 && time.second() == 0;
    return now.toString(midnight ? QStringLiteral("yyyy-MM-dd")
                                 : QStringLiteral("yyyy-MM-dd-HH-mm-ss"));
}

}  // namespace

BatchBinding* TheBatchBinding() {
    return installed;
}

void InstallBatchBinding(BatchBinding* binding) {
    installed = binding;
}

bool AutoSaveList(const platform::RowTable& list, const QString& keyword, const QString& extension,
                  qint16 kind) {
    if (!installed) return false;
    const QString folder = installed->SaveFolder();
    if (folder.isEmpty()) return false;
    const QString name = SafeFileName(keyword) + u'-' + DateTimeStamp();
    return WriteListAs(list, ExportPath(folder, name, extension), extension, kind);
}
