// The whole current track, drawn over the painting source at every paint.
#include "chart/CurrentTrackRing.h"
#include "chart/TrackDrawing.h"
#include "chart/TrackPens.h"

#include "ChartPixels.h"
#include "PointColour.h"
#include "TrackCanvas.h"

#include "database/CurrentTrack.h"

void RedrawCurrentTrack(HWND, QPainter& dc)
{
    const TrackStatus& status = globaltrackstatus;
    if (!status.field[TS_CURRENT_VISIBLE])
        return;
    ChartPixels pixels(chartSurface.engineWindow);
    RECT geo, track;
    if (!pixels.geoRect(pixels.client(), &geo) || !CurrentTrackBounds(&track) || !GeoRectsMeet(geo, track))
        return;
    const bool joined = status.field[TS_CURRENT_JOIN] != 0;
    const bool depthColouring = DepthColouring(status.field[TS_CURRENT_BY_CLASS], status.field[TS_CURRENT_COLOUR]);
    TrackCanvas canvas(dc);
    for (int slot = 0; slot < BEAM_SLOTS; ++slot) {
        if (CurrentTrackRings[slot].startIndex < 0 || !afShowTransducer[slot])
            continue;
        int lastPen = COLOUR_UNCLASSIFIED;
        canvas.selectPen(CurrentTrackPens[lastPen]);
        ReanalyseCurrentTrackArray(slot, boxFile);
        // Whether the point before can be joined to: drawable and placed.
        bool previousDrawable = false;
        ForEachRingPoint(slot, [&](const TrackPoint& point) {
            POINT pixel;
            const int pen = PenOfPoint(point, depthColouring);
            if (!pixels.toPixel(point.lon, point.lat, &pixel)) {
                previousDrawable = false;
                return;
            }
            const bool drawable = pen >= 0 && PixelInside(pixels.client(), pixel);
            if (drawable && pen != lastPen) {
                canvas.selectPen(CurrentTrackPens[pen]);
                lastPen = pen;
            }
            if (!joined) {
                if (drawable)
                    canvas.dot(pixel);
            } else if (drawable && previousDrawable) {
                canvas.lineTo(pixel);
            } else {
                canvas.moveTo(pixel);
            }
            // A point off the window is not drawn, but the next segment still starts from it.
            previousDrawable = pen >= 0;
        });
    }
}
