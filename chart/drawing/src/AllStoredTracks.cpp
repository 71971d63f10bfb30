// Every stored track of the databases chosen for display, drawn into the painting source after
// each chart capture, then the view hand-off.
#include "chart/TrackDrawing.h"

#include "ChartPixels.h"
#include "DrawingTurns.h"
#include "TrackHandles.h"
#include "ViewHandOff.h"

#include "database/CurrentTrack.h"
#include "database/DbFiles.h"
#include "frame/Inifile.h"
#include "platform/files.h"

#include <algorithm>
#include <strings.h>

int32_t plotDensity = 100;

namespace {

// 1.6666666 degrees: zoomed out further, the tracks would be a smear that takes long to draw.
constexpr int32_t MAX_LATITUDE_SPAN = 16666666;

std::vector<std::string> databasesToShow{"database"};

// Every (100 / density)-th point; a density outside 1..100 still draws.
int PlotStep()
{
    return plotDensity > 0 ? std::max(100 / plotDensity, 1) : 1;
}

int RedrawAllPastTracksFromDatabase(HWND chartWindow, QPainter& dc, const char* database)
{
    ChartPixels pixels(chartSurface.engineWindow);
    const RECT& client = pixels.client();
    RECT geo;
    if (!pixels.geoRect(RECT{client.left + 1, client.top + 1, client.right - 1, client.bottom - 1}, &geo))
        return 0;
    if (geo.top - geo.bottom > MAX_LATITUDE_SPAN)
        return 1;
    auto tracks = StoredTracksMeeting(database, geo, "RedrawAllPastTracksFromDatabase()");
    if (!tracks)
        return 2;
    // The past track is drawn on top at paint time; its handle names a track of the active
    // database only.
    const bool active = strcasecmp(database, "database") == 0;
    const uint32_t past = uint32_t(globaltrackstatus.field[TS_PAST_HANDLE]);
    const int step = PlotStep();
    for (TrackInfo& track : *tracks) {
        if (track.handle == 1 || (active && track.handle == past))
            continue;
        if (DrawTrack(dc, client, &track, step, chartWindow, database))
            return 1;
    }
    return 0;
}

} // namespace

void SetDatabasesToShow(std::vector<std::string> folders)
{
    databasesToShow = std::move(folders);
}

int RedrawPastTracksToBitmap(HWND chartWindow, QPainter& dc)
{
    const TrackStatus& status = globaltrackstatus;
    int result = 0;
    if (status.field[TS_SHOW_ALL_TRACKS] && status.field[TS_PAST_BY_CLASS] != 2) {
        EventTurnsAllowed turns;
        for (const std::string& database : databasesToShow) {
            if (!win::isDirectory(db::TrackFolder(database.c_str()).c_str()))
                result = 2;
            else
                result = RedrawAllPastTracksFromDatabase(chartWindow, dc, database.c_str());
            if (result)
                return result;
        }
    }
    ChartPixels pixels(chartSurface.engineWindow);
    RECT view;
    if (pixels.geoRect(pixels.client(), &view)) {
        WriteViewHandOffFile(view);
        SaveLastChartArea(&view.left, &view.top, &view.right, &view.bottom);
    }
    return result;
}
