#include "support/page_files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/charset.h"

namespace testing_support {

PageFiles::PageFiles(const char* testFile)
    : folder_(QFileInfo(QString::fromUtf8(testFile)).dir().filePath(QStringLiteral("pages"))) {}

QByteArray PageFiles::Bytes(const QString& name) const {
    QFile file(QDir(folder_).filePath(name));
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "no fixture page " << file.fileName().toStdString();
        return {};
    }
    return file.readAll();
}

QString PageFiles::Text(const QString& name, const QString& charset) const {
    return platform::BytesToText(Bytes(name), charset);
}

fakeweb::Page PageFiles::Served(const QString& name) const {
    return fakeweb::Page::Bytes(Bytes(name));
}

}  // namespace testing_support
