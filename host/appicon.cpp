#include "appicon.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygonF>

namespace {

// One picture on a 64 × 64 canvas, scaled to side pixels.
QPixmap drawn(int side)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / 64.0, side / 64.0);

    const auto page = [&p](qreal x, qreal y, const char *fill, const char *edge, qreal width) {
        p.setPen(QPen(QColor(edge), width));
        p.setBrush(QColor(fill));
        p.drawRoundedRect(QRectF(x, y, 34, 44), 3, 3);
    };
    page(18, 6, "#c9d6e8", "#4a607d", 1.5);
    page(14, 10, "#dde7f3", "#4a607d", 1.5);
    page(10, 14, "#ffffff", "#2f4560", 2);

    p.setPen(QPen(QColor("#5b7ca6"), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 24), QPointF(38, 24));
    p.drawLine(QPointF(16, 31), QPointF(34, 31));
    p.drawLine(QPointF(16, 38), QPointF(38, 38));
    p.drawLine(QPointF(16, 45), QPointF(28, 45));

    p.translate(44, 40);
    p.rotate(40);
    p.translate(-44, -40);
    const QPen wood(QColor("#8a5a14"), 1.5);
    p.setPen(wood);
    p.setBrush(QColor("#e8a33d"));
    p.drawRoundedRect(QRectF(40, 16, 8, 34), 1.5, 1.5);
    p.setBrush(QColor("#f6e1b8"));
    p.drawPolygon(QPolygonF({QPointF(40, 50), QPointF(48, 50), QPointF(44, 58)}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#2f2f2f"));
    p.drawPolygon(QPolygonF({QPointF(42.7, 54.5), QPointF(45.3, 54.5), QPointF(44, 58)}));
    p.setPen(wood);
    p.setBrush(QColor("#c0504d"));
    p.drawRect(QRectF(40, 16, 8, 5));
    return pixmap;
}

} // namespace

QIcon AppIcon::icon()
{
    QIcon icon;
    for (const int side : {16, 24, 32, 48, 64, 128})
        icon.addPixmap(drawn(side));
    return icon;
}
