#include "frame/ToolbarImages.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

const QColor ink(20, 20, 20);

void swatch(QPainter& p, const QBrush& fill)
{
    p.setPen(QPen(ink, 1));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2, 2);
}

// The Sedrix classes: a patchwork of seabed colours.
void sedrixSwatch(QPainter& p)
{
    const QColor cells[4] = {QColor(230, 200, 60), QColor(200, 110, 40), QColor(110, 150, 60),
                             QColor(140, 90, 60)};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i)
        p.fillRect(QRectF(2 + (i % 2) * 6, 2 + (i / 2) * 6, 6, 6), cells[i]);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, 1));
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
}

// The depth bands: shallow water light, deep water dark.
void depthSwatch(QPainter& p)
{
    const QColor bands[4] = {QColor(190, 230, 250), QColor(110, 180, 230), QColor(40, 110, 200),
                             QColor(15, 50, 130)};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i)
        p.fillRect(QRectF(2, 2 + i * 3, 12, 3.25), bands[i]);
    p.setPen(QPen(ink, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
}

void ruler(QPainter& p)
{
    p.translate(8, 8);
    p.rotate(-45);
    p.setPen(QPen(ink, 1));
    p.setBrush(QColor(245, 215, 110));
    p.drawRect(QRectF(-8, -2.5, 16, 5));
    for (int x = -6; x <= 6; x += 2)
        p.drawLine(QPointF(x, -2.5), QPointF(x, x % 4 == 0 ? 0.5 : -0.5));
}

void route(QPainter& p)
{
    const QPointF points[] = {{2.5, 13}, {6, 5}, {11, 9}, {13.5, 2.5}};
    p.setPen(QPen(QColor(200, 30, 30), 1.5));
    p.drawPolyline(points, 4);
    p.setPen(QPen(ink, 1));
    p.setBrush(Qt::white);
    for (const QPointF& point : points)
        p.drawEllipse(point, 1.8, 1.8);
}

void arcs(QPainter& p)
{
    p.setPen(QPen(QColor(30, 60, 170), 1.3));
    p.setBrush(Qt::NoBrush);
    for (int r : {4, 8, 12})
        p.drawArc(QRectF(2 - r, 14 - r, 2 * r, 2 * r), 0, 90 * 16);
    p.setPen(QPen(ink, 1));
    p.setBrush(ink);
    p.drawEllipse(QPointF(2, 14), 1.2, 1.2);
}

void tide(QPainter& p)
{
    QPainterPath waves;
    for (double y : {10.0, 13.5}) {
        waves.moveTo(1, y);
        waves.cubicTo(3, y - 2, 5, y + 2, 7.5, y);
        waves.cubicTo(10, y - 2, 12, y + 2, 15, y);
    }
    p.setPen(QPen(QColor(20, 110, 190), 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(waves);
    // The rising water.
    p.setPen(QPen(ink, 1.2));
    p.drawLine(QPointF(8, 7.5), QPointF(8, 1.5));
    p.drawLine(QPointF(8, 1.5), QPointF(5.5, 4));
    p.drawLine(QPointF(8, 1.5), QPointF(10.5, 4));
}

} // namespace

QPixmap ToolbarImage(int index, int size)
{
    QPixmap image(size, size);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    switch (index) {
    case 0: sedrixSwatch(p); break;
    case 1: ruler(p); break;
    case 2: route(p); break;
    case 3: arcs(p); break;
    case 4: tide(p); break;
    case 5: depthSwatch(p); break;
    case 6: swatch(p, Qt::black); break;
    case 7: swatch(p, QColor(220, 30, 30)); break;
    case 8: swatch(p, QColor(30, 160, 50)); break;
    case 9: swatch(p, QColor(140, 140, 140)); break;
    default: break;
    }
    return image;
}
