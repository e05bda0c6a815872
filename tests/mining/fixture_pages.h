#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include "platform/charset.h"

// The page files under pages/, stored as the bytes each service sends.
namespace mining_testing {

inline QByteArray PageBytes(const QString& name) {
    QFile file(QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("pages/") + name));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

// The page as the program reads it, decoded in `charset`.
inline QString PageText(const QString& name, const QString& charset) {
    return platform::BytesToText(PageBytes(name), charset);
}

}  // namespace mining_testing
