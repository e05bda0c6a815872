#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include "platform/charset.h"

// The page files under pages/, stored as the bytes each service sends.
namespace research_testing {

inline QByteArray PageBytes(const QString& name) {
    QFile file(QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("pages/") + name));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

// The page as the program reads it: the Baidu and index pages in GBK, Google's in UTF-8.
inline QString PageText(const QString& name, const QString& charset = QStringLiteral("gb2312")) {
    return platform::BytesToText(PageBytes(name), charset);
}

// `page` without its first `marker`, as a page that lacks it comes.
inline QString Without(QString page, const QString& marker) {
    const qsizetype at = page.indexOf(marker);
    if (at >= 0) page.remove(at, marker.size());
    return page;
}

// A Baidu results page as its last page comes: without the pager's ">下一页<".
inline QString LastPage(const QString& page) {
    return QString(page).replace(QStringLiteral(">下一页<"), QStringLiteral(">2<"));
}

}  // namespace research_testing
