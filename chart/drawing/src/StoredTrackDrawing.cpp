// Drawing one stored track from its point file, block by block.
#include "chart/TrackDrawing.h"
#include "chart/TrackPens.h"

#include "ChartPixels.h"
#include "DrawingTurns.h"
#include "PointColour.h"
#include "TrackCanvas.h"

#include "database/CurrentTrack.h"
#include "database/TrackStore.h"
#include "platform/messages.h"

#include <QPainter>

#include <algorithm>
#include <memory>
#include <new>

int DrawTrack(QPainter& dc, const RECT& clientRect, TrackInfo* trackInfo, int step, HWND chartWindow,
              const char* databaseFolder)
{
    if (!trackInfo || trackInfo->handle == 0)
        return 1;
    const TrackStatus& status = globaltrackstatus;
    if (status.field[TS_PAST_BY_CLASS])
        ReanalyseTrackOnDisc2(boxFile, trackInfo, databaseFolder);
    std::unique_ptr<TrackPoint[]> buffer(new (std::nothrow) TrackPoint[TRACK_BLOCK_POINTS]);
    if (!buffer) {
        MessageBoxA(chartWindow, "Memory Allocation Error", "RedrawAnyPastTrackToBitmap()", MB_OK);
        return 1;
    }
    ChartPixels pixels(chartSurface.engineWindow);
    RECT geo;
    if (!pixels.geoRect(clientRect, &geo))
        return 0;
    const bool joined = status.field[TS_PAST_JOIN] != 0;
    const bool depthColouring = DepthColouring(status.field[TS_PAST_BY_CLASS], status.field[TS_PAST_COLOUR]);
    step = std::max(step, 1);

    TrackCanvas canvas(dc);
    int lastColour = COLOUR_UNCLASSIFIED;
    canvas.selectPen(PastTrackPens[lastColour]);
    bool broken = true;
    POINT last{INT32_MIN, INT32_MIN};
    TrackBlock block{buffer.get(), 0, 0};
    int next = 0; // the step runs on across blocks
    do {
        if (DrawingInterrupted(chartWindow))
            return 1;
        canvas.findPixels();
        if (!DBReadTrackDataBlock(trackInfo, &block, databaseFolder))
            break;
        for (; next < block.count; next += step) {
            const TrackPoint& point = buffer[next];
            const int32_t lon = point.lon, lat = point.lat;
            POINT pixel;
            if (!GeoInside(geo, lon, lat) || !pixels.toPixel(lon, lat, &pixel) || !PixelInside(clientRect, pixel)) {
                broken = true;
                continue;
            }
            if (pixel.x == last.x && pixel.y == last.y)
                continue;
            const int colour = PenOfPoint(point, depthColouring);
            if (colour < 0) {
                broken = true;
                continue;
            }
            if (colour != lastColour) {
                canvas.selectPen(PastTrackPens[colour]);
                lastColour = colour;
            }
            if (!joined)
                canvas.dot(pixel);
            else if (broken)
                canvas.moveTo(pixel);
            else
                canvas.lineTo(pixel);
            broken = false;
            last = pixel;
        }
        next -= block.count;
    } while (block.count == TRACK_BLOCK_POINTS);
    return 0;
}

void DrawSelectedPastTrack(HWND chartWindow, QPainter& dc)
{
    const TrackStatus& status = globaltrackstatus;
    if ((!status.field[TS_PAST_VISIBLE] && !status.field[TS_SHOW_ALL_TRACKS]) || status.field[TS_PAST_HANDLE] == 0)
        return;
    ChartPixels pixels(chartSurface.engineWindow);
    RECT geo;
    if (!pixels.geoRect(pixels.client(), &geo))
        return;
    const TrackInfo& past = globalpasttrackinfo;
    if (!GeoRectsMeet(RECT{past.leftlon, past.toplat, past.rightlon, past.bottomlat}, geo))
        return;
    DrawTrack(dc, pixels.client(), &globalpasttrackinfo, 1, chartWindow, "database");
}
