#include "shell/program_icon.h"

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
            // The letter drawn as two bars: no font is loaded for it before the window shows.
            painter.setBrush(Qt::white);
            const qreal bar = size / 6.0;
            painter.drawRect(QRectF(size * 0.2, size * 0.2, size * 0.6, bar));
            painter.drawRect(QRectF((size - bar) / 2, size * 0.2, bar, size * 0.6));
            painter.end();
            drawn.addPixmap(pixmap);
        }
        return drawn;
    }();
    return icon;
}
