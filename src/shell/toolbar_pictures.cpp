#include "shell/toolbar_pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace {

// Each picture is drawn on a grid of 24 units, scaled to the size asked for.
constexpr qreal kGrid = 24;

void DrawMining(QPainter& painter) {
    // A magnifying glass.
    painter.drawEllipse(QPointF(10, 10), 6, 6);
    painter.setPen(QPen(painter.pen().color(), 3.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(14.5, 14.5), QPointF(20.5, 20.5));
}

void DrawTools(QPainter& painter) {
    // A sheet of lines.
    painter.drawRoundedRect(QRectF(4.5, 3, 15, 18), 1.5, 1.5);
    for (const qreal y : {8.0, 12.0, 16.0}) painter.drawLine(QPointF(8, y), QPointF(16, y));
}

void DrawDatabase(QPainter& painter) {
    // A cylinder.
    const QRectF top(4, 3, 16, 5);
    QPainterPath body;
    body.moveTo(4, 5.5);
    body.lineTo(4, 18.5);
    body.arcTo(QRectF(4, 16, 16, 5), 180, 180);
    body.lineTo(20, 5.5);
    painter.drawPath(body);
    painter.drawArc(QRectF(4, 9.5, 16, 5), 180 * 16, 180 * 16);
    painter.drawEllipse(top);
}

void DrawLinks(QPainter& painter) {
    // A globe.
    painter.drawEllipse(QPointF(12, 12), 8.5, 8.5);
    painter.drawEllipse(QPointF(12, 12), 3.5, 8.5);
    painter.drawLine(QPointF(3.5, 12), QPointF(20.5, 12));
}

void DrawHideSideBar(QPainter& painter) {
    // An arrow to the left, against a bar.
    painter.drawLine(QPointF(4, 4), QPointF(4, 20));
    painter.setBrush(painter.pen().color());
    painter.drawPolygon(QPolygonF({QPointF(8, 12), QPointF(15, 6), QPointF(15, 18)}));
    painter.drawRect(QRectF(15, 10.5, 5, 3));
}

}  // namespace

QPixmap DrawToolbarPicture(ToolbarPicture picture, int pixels) {
    QPixmap drawn(pixels, pixels);
    drawn.fill(Qt::transparent);
    QPainter painter(&drawn);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(pixels / kGrid, pixels / kGrid);
    painter.setPen(QPen(QColor(0x1f, 0x5f, 0xbf), 2));
    switch (picture) {
        case ToolbarPicture::Mining:
            DrawMining(painter);
            break;
        case ToolbarPicture::Tools:
            DrawTools(painter);
            break;
        case ToolbarPicture::Database:
            DrawDatabase(painter);
            break;
        case ToolbarPicture::Links:
            DrawLinks(painter);
            break;
        case ToolbarPicture::HideSideBar:
            DrawHideSideBar(painter);
            break;
    }
    return drawn;
}
