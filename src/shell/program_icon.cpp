#include "shell/program_icon.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

QIcon ProgramIcon() {
    static const QIcon icon = [] {
        QIcon drawn;
        for (int size : {16, 32, 64}) {
            QPixmap pixmap(size, size);
            pixmap.fill(Qt::transparent);
            QPainter painter(&pixmap);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setBrush(QColor(0x1f, 0x5f, 0xbf));
            painter.setPen(Qt::NoPen);
            painter.drawRoundedRect(QRectF(0, 0, size, size), size / 6.0, size / 6.0);
            QFont font;
            font.setBold(true);
            font.setPixelSize(size * 3 / 4);
            painter.setFont(font);
            painter.setPen(Qt::white);
            painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QStringLiteral("T"));
            painter.end();
            drawn.addPixmap(pixmap);
        }
        return drawn;
    }();
    return icon;
}
