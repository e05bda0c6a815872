#include "support/unzip.h"

#include <QProcess>

namespace testing_support {

QByteArray Unzipped(const QString& archive, const QString& member) {
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), archive, member});
    unzip.waitForFinished();
    return unzip.readAllStandardOutput();
}

}  // namespace testing_support
