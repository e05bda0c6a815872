#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include "fakeweb/fake_web.h"

// The results pages under pages/, stored as the engines send them, in each page's charset.
namespace rank_pages {

inline QByteArray PageBytes(const QString& name) {
    QFile file(QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("pages/") + name));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

// Serves `page` at exactly `address` ("http://host/path?query").
inline void ServeAt(fakeweb::FakeWeb& web, const QString& address, const fakeweb::Page& page) {
    const QString hostAndPath = address.mid(QStringLiteral("http://").size());
    const qsizetype slash = hostAndPath.indexOf(u'/');
    web.Serve(hostAndPath.left(slash), hostAndPath.mid(slash), page);
}

inline void ServeFileAt(fakeweb::FakeWeb& web, const QString& address, const QString& file) {
    ServeAt(web, address, fakeweb::Page::Bytes(PageBytes(file)));
}

}  // namespace rank_pages
