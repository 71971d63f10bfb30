#include "VesselSymbol.h"

#include "chart/ChartWindow.h"
#include "euro32/euro32.h"
#include "recording/VesselState.h"

#include <QPainter>
#include <QPolygonF>

void DrawVesselSymbol(QPainter& painter)
{
    if (vessellatitude < -900000000 || vessellatitude > 900000000 || vessellongitude < -1800000000 ||
        vessellongitude > 1800000000)
        return;
    int x = 0, y = 0;
    if (!EC_GeosToPixel(vessellongitude, vessellatitude, &x, &y, TopEngineChartWindow()))
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(x, y);
    painter.setPen(QPen(Qt::black, 1.5));
    if (heading < 0) {
        // No heading yet: a ring, pointing nowhere.
        painter.setBrush(QColor(255, 140, 0));
        painter.drawEllipse(QPointF(0, 0), 6, 6);
        painter.restore();
        return;
    }
    painter.rotate(heading);
    painter.setPen(QPen(Qt::black, 1.5, Qt::DashLine));
    painter.drawLine(QPointF(0, -14), QPointF(0, -60));
    const QPolygonF hull{{0, -14}, {6, -4}, {6, 10}, {-6, 10}, {-6, -4}};
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(QColor(255, 140, 0));
    painter.drawPolygon(hull);
    painter.restore();
}
