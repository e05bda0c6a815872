#include "tools_window/engine_icons.h"

#include <QPainter>
#include <QPixmap>

namespace {

QIcon Disc(const QColor& colour, const QString& initial) {
    constexpr int kSize = 16;
    QPixmap picture(kSize, kSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(0, 0, kSize, kSize);
    QFont font = painter.font();
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, initial);
    return QIcon(picture);
}

}  // namespace

QHash<QString, QIcon> EngineImageList() {
    return {
        {QStringLiteral("baidu"), Disc(QColor(0x2d, 0x5b, 0xe3), QStringLiteral("B"))},
        {QStringLiteral("google"), Disc(QColor(0x42, 0x85, 0xf4), QStringLiteral("G"))},
        {QStringLiteral("yahoo"), Disc(QColor(0x72, 0x0e, 0x9e), QStringLiteral("Y"))},
        {QStringLiteral("sogou"), Disc(QColor(0xfb, 0x6a, 0x22), QStringLiteral("S"))},
        {QStringLiteral("soso"), Disc(QColor(0x1a, 0x9f, 0x5b), QStringLiteral("S"))},
        {QStringLiteral("youdao"), Disc(QColor(0xe0, 0x2b, 0x2b), QStringLiteral("Y"))},
        {QStringLiteral("live"), Disc(QColor(0x00, 0x80, 0x80), QStringLiteral("b"))},
        {QStringLiteral("bing"), Disc(QColor(0x00, 0x80, 0x80), QStringLiteral("b"))},
    };
}
