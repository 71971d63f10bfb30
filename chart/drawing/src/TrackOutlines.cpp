// The rectangle of every stored track that lies wholly in view, with a ring at each corner.
#include "chart/TrackDrawing.h"
#include "chart/TrackPens.h"

#include "ChartPixels.h"
#include "TrackHandles.h"

#include "database/CurrentTrack.h"

#include <QPainter>

namespace {

constexpr int CORNER_RADIUS = 10;
constexpr int RED = 11;

} // namespace

void RedrawAllPastTracks(HWND, QPainter& dc)
{
    const TrackStatus& status = globaltrackstatus;
    if (!status.field[TS_OUTLINING])
        return;
    ChartPixels pixels(chartSurface.engineWindow);
    RECT geo;
    if (!pixels.geoRect(pixels.client(), &geo))
        return;
    auto tracks = StoredTracksMeeting("database", geo, "RedrawAllPastTracks()");
    if (!tracks)
        return;
    dc.save();
    dc.setBrush(Qt::NoBrush);
    const QPen ownPen = dc.pen();
    const QPen pastPen(PaletteColour(RED), 1);
    const uint32_t past = uint32_t(status.field[TS_PAST_HANDLE]);
    for (const TrackInfo& track : *tracks) {
        if (track.handle == 1)
            continue;
        const int32_t lons[4] = {track.leftlon, track.rightlon, track.rightlon, track.leftlon};
        const int32_t lats[4] = {track.toplat, track.toplat, track.bottomlat, track.bottomlat};
        QPoint corners[4];
        bool inView = true;
        for (int i = 0; i < 4 && inView; ++i) {
            POINT p;
            inView = pixels.toPixel(lons[i], lats[i], &p) && PixelInside(pixels.client(), p);
            corners[i] = QPoint(p.x, p.y);
        }
        if (!inView)
            continue;
        dc.setPen(track.handle == past ? pastPen : ownPen);
        dc.drawPolygon(corners, 4);
        for (const QPoint& corner : corners)
            dc.drawEllipse(corner, CORNER_RADIUS, CORNER_RADIUS);
    }
    dc.restore();
}
