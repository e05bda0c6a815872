#pragma once

#include <QByteArray>
#include <QString>

namespace testing_support {

// One member of a zip archive (such as a workbook's "xl/worksheets/sheet1.xml"); empty when
// the archive or the member is missing.
QByteArray Unzipped(const QString& archive, const QString& member);

}  // namespace testing_support
