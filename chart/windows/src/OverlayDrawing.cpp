// Overlays are layers of the active database: every overlay but the tracks' own has its symbols,
// lines and polygons, texts and routes in view drawn over the chart, so that imported survey
// files are visible. Imports arrive not shown, and no window yet lets the user show them: every
// overlay is drawn.
#include "platform/winuser.h"
#include "OverlayDrawing.h"

#include "chart/TrackPens.h"
#include "database/OverlayStore.h"
#include "euro32/euro32.h"

#include <QPainter>
#include <QPolygon>

#include <vector>

namespace {

constexpr const char* ACTIVE_DATABASE = "database";

struct View {
    HWND engineWindow;
    QPainter& dc;
    bool pixel(int32_t lon, int32_t lat, QPoint& at) const
    {
        int x = 0, y = 0;
        if (!EC_GeosToPixel(lon, lat, &x, &y, engineWindow))
            return false;
        at = QPoint(x, y);
        return true;
    }
    QPolygon polyline(const std::vector<GeoPoint>& points) const
    {
        QPolygon line;
        for (const GeoPoint& p : points) {
            QPoint at;
            if (pixel(p.lon, p.lat, at))
                line << at;
        }
        return line;
    }
};

QColor colourOf(int colourNumber)
{
    return PaletteColour(colourNumber >= 0 && colourNumber < 48 ? colourNumber : 12);
}

std::vector<uint32_t> handlesInView(uint32_t overlay, int kind, uint16_t count)
{
    std::vector<uint32_t> handles(count);
    if (count && !DBGetHandleTable(overlay, kind, handles.data(), count, ACTIVE_DATABASE))
        handles.clear();
    return handles;
}

void drawSymbols(const View& view, uint32_t overlay, uint16_t count)
{
    for (uint32_t handle : handlesInView(overlay, OBJ_SYMBOL, count)) {
        SymbolInfo symbol{};
        symbol.handle = handle;
        QPoint at;
        if (!DBGetObjectInfo(overlay, OBJ_SYMBOL, &symbol, ACTIVE_DATABASE) || !view.pixel(symbol.lon, symbol.lat, at))
            continue;
        char name[OBJECT_NAME_BYTES] = "";
        DBGetObjectText(overlay, &symbol, name);
        view.dc.setPen(QPen(Qt::black, 1));
        view.dc.setBrush(colourOf(symbol.colour));
        view.dc.drawEllipse(at, 4, 4);
        if (name[0])
            view.dc.drawText(at + QPoint(7, 4), QString::fromLatin1(name));
    }
}

template <typename Record>
std::vector<GeoPoint> pointsOf(uint32_t overlay, int kind, Record& record)
{
    std::vector<GeoPoint> points(size_t(std::max(record.count, 0)));
    if (points.empty() || !GetObject(overlay, kind, record.handle, points.data()))
        points.clear();
    return points;
}

void drawPolygons(const View& view, uint32_t overlay, uint16_t count)
{
    view.dc.setBrush(Qt::NoBrush);
    for (uint32_t handle : handlesInView(overlay, OBJ_POLYGON, count)) {
        PolygonInfo polygon{};
        polygon.handle = handle;
        if (!DBGetObjectInfo(overlay, OBJ_POLYGON, &polygon, ACTIVE_DATABASE))
            continue;
        view.dc.setPen(QPen(colourOf(17), 2));
        view.dc.drawPolyline(view.polyline(pointsOf(overlay, OBJ_POLYGON, polygon)));
    }
}

void drawTexts(const View& view, uint32_t overlay, uint16_t count)
{
    view.dc.setPen(Qt::black);
    for (uint32_t handle : handlesInView(overlay, OBJ_TEXT, count)) {
        TextInfo text{};
        text.handle = handle;
        QPoint at;
        if (!DBGetObjectInfo(overlay, OBJ_TEXT, &text, ACTIVE_DATABASE) || text.length <= 0 ||
            !view.pixel(text.leftlon, text.toplat, at))
            continue;
        std::vector<char> bytes(size_t(text.length));
        if (GetObject(overlay, OBJ_TEXT, handle, bytes.data()))
            view.dc.drawText(at, QString::fromLatin1(bytes.data(), int(bytes.size())));
    }
}

void drawRoutes(const View& view, uint32_t overlay, uint16_t count)
{
    for (uint32_t handle : handlesInView(overlay, OBJ_ROUTE, count)) {
        RouteInfo route{};
        route.handle = handle;
        if (!DBGetObjectInfo(overlay, OBJ_ROUTE, &route, ACTIVE_DATABASE))
            continue;
        const QPolygon line = view.polyline(pointsOf(overlay, OBJ_ROUTE, route));
        // The active route stands out: the one being steered.
        view.dc.setPen(QPen(colourOf(route.active == 1 ? 11 : 14), route.active == 1 ? 3 : 2, Qt::DashLine));
        view.dc.setBrush(Qt::NoBrush);
        view.dc.drawPolyline(line);
        view.dc.setPen(QPen(Qt::black, 1));
        for (const QPoint& waypoint : line)
            view.dc.drawEllipse(waypoint, 5, 5);
    }
}

} // namespace

void DrawOverlays(HWND engineWindow, QPainter& dc)
{
    int userOverlays = 0;
    if (!engineWindow || !GetNoOfOverlays(&userOverlays))
        return;
    std::vector<OverlayInfo> overlays(size_t(userOverlays) + 2);
    if (!GetOverlays(overlays.data()))
        return;
    RECT client{};
    GetClientRect(engineWindow, &client);
    int32_t west = 0, north = 0, east = 0, south = 0;
    EC_PixelToGeos(0, 0, &west, &north, engineWindow);
    EC_PixelToGeos(client.right, client.bottom, &east, &south, engineWindow);
    const RECT area{west, north, east, south};
    dc.save();
    dc.setRenderHint(QPainter::Antialiasing);
    const View view{engineWindow, dc};
    for (const OverlayInfo& overlay : overlays) {
        if (overlay.handle == TRACK_OVERLAY)
            continue;
        uint16_t counts[5] = {};
        if (!DBGetNoOfObjectsInDataRect(overlay.handle, counts, &area, ACTIVE_DATABASE))
            continue;
        drawPolygons(view, overlay.handle, counts[OBJ_POLYGON - 1]);
        drawRoutes(view, overlay.handle, counts[OBJ_ROUTE - 1]);
        drawSymbols(view, overlay.handle, counts[OBJ_SYMBOL - 1]);
        drawTexts(view, overlay.handle, counts[OBJ_TEXT - 1]);
    }
    dc.restore();
}
