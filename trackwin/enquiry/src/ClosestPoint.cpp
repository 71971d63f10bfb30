#include "ClosestPoint.h"

#include "PointTime.h"
#include "TrackPositions.h"

#include "database/DbFiles.h"
#include "database/OverlayStore.h"
#include "database/TrackStore.h"
#include "euro32/euro32.h"
#include "frame/ProgramSettings.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/winuser.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <numbers>
#include <vector>

namespace {

constexpr double NOTHING_YET = 1e8; // km
constexpr int32_t EAST_EDGE = 1800000000;

struct Best {
    double distance = NOTHING_YET;
    uint32_t handle = 0;
    int32_t index = -1;
};

// West, north, east, south of the chart window's client area; false without a chart.
bool VisibleRect(HWND engineWindow, RECT* geo)
{
    RECT client;
    return GetClientRect(engineWindow, &client) &&
           EC_PixelToGeos(client.left + 1, client.top, &geo->left, &geo->top, engineWindow) > 0 &&
           EC_PixelToGeos(client.right, client.bottom, &geo->right, &geo->bottom, engineWindow) > 0;
}

// The tracks meeting the view in table order. A view across the 180 degree meridian is asked
// for as its two halves, which the rectangle test of the store cannot take as one.
bool TracksInView(const RECT& view, std::vector<TrackInfo>& tracks)
{
    if (view.left <= view.right)
        return db::GetTracksInDataRect(&view, "database", tracks);
    const RECT westHalf{view.left, view.top, EAST_EDGE, view.bottom}, eastHalf{-EAST_EDGE, view.top, view.right, view.bottom};
    std::vector<TrackInfo> east;
    if (!db::GetTracksInDataRect(&westHalf, "database", tracks) || !db::GetTracksInDataRect(&eastHalf, "database", east))
        return false;
    tracks.insert(tracks.end(), east.begin(), east.end());
    std::stable_sort(tracks.begin(), tracks.end(), [](const TrackInfo& a, const TrackInfo& b) { return a.handle < b.handle; });
    tracks.erase(std::unique(tracks.begin(), tracks.end(),
                             [](const TrackInfo& a, const TrackInfo& b) { return a.handle == b.handle; }),
                 tracks.end());
    return true;
}

void NoTracks(UINT beep, const char* caption)
{
    MessageBeep(beep);
    MessageBoxA(nullptr, "No tracks intersect with screen", caption, MB_OK | beep);
}

// The track's closest point; on equal distances the earlier point.
Best ClosestInTrack(const std::vector<PointPosition>& positions, int32_t clickLon, int32_t clickLat, double cosLat)
{
    Best best;
    for (size_t i = 0; i < positions.size(); ++i) {
        const double d = PointDistanceKm(clickLon, clickLat, cosLat, positions[i].lon, positions[i].lat);
        if (d < best.distance) {
            best.distance = d;
            best.index = int32_t(i);
        }
    }
    return best;
}

bool ReadPoint(TrackInfo& track, int32_t index, TrackPoint& point)
{
    static std::vector<TrackPoint> buffer(TRACK_BLOCK_POINTS);
    TrackBlock block{buffer.data(), 1, int32_t(index * int32_t(sizeof(TrackPoint)))};
    if (!DBReadTrackDataBlock(&track, &block, "database") || block.count < 1)
        return false;
    point = buffer[0];
    return true;
}

void Describe(HWND engineWindow, TrackInfo& track, int32_t index, const TrackPoint& point, SedrixPointInfo& info)
{
    info = SedrixPointInfo{};
    info.e1 = point.e1;
    info.e2 = point.e2;
    info.depth = std::max(0.0, double(point.depth) - transducerDraft);
    info.colour = point.colour;
    info.lat = point.lat;
    info.lon = point.lon;
    int x = 0, y = 0;
    EC_GeosToPixel(point.lon, point.lat, &x, &y, engineWindow);
    info.x = x;
    info.y = y;
    info.handle = track.handle;
    info.index = index;
    ReadPointTime(track.handle, index, info.time, info.date);
    int transducer = 0;
    if (DBGetTrackBeam(track.handle, &transducer) == 0)
        info.transducer = transducer;
}

} // namespace

double PointDistanceKm(int32_t clickLon, int32_t clickLat, double cosClickLat, int32_t lon, int32_t lat)
{
    // In doubles: the difference of two longitudes overflows 32 bits across the meridian.
    double dLon = (double(clickLon) - lon) / 1e7;
    if (dLon > 180.0)
        dLon -= 360.0;
    else if (dLon < -180.0)
        dLon += 360.0;
    const double dLat = (double(clickLat) - lat) / 1e7;
    const double east = dLon * cosClickLat;
    return std::sqrt(east * east + dLat * dLat) * 111.111;
}

bool FindClosestTrackPoint(HWND engineWindow, POINT click, SedrixPointInfo& info)
{
    RECT view;
    std::vector<TrackInfo> tracks;
    try {
        if (VisibleRect(engineWindow, &view) && !TracksInView(view, tracks))
            return false; // the store said why
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (tracks.empty()) {
        NoTracks(MB_ICONEXCLAMATION, "Get closest point");
        return false;
    }
    int32_t clickLon = 0, clickLat = 0;
    EC_PixelToGeos(click.x, click.y, &clickLon, &clickLat, engineWindow);
    const double cosLat = std::cos(clickLat / 1e7 * std::numbers::pi / 180.0);
    const std::optional<std::filesystem::path> folder = win::HostPath(db::TrackFolder("database"));
    Best best;
    TrackInfo* bestTrack = nullptr;
    for (TrackInfo& track : tracks) {
        if (track.handle == 0 || track.handle == CURRENT_TRACK_HANDLE || !folder)
            continue;
        const std::vector<PointPosition>* positions = StoredTrackPositions(*folder, track);
        if (!positions)
            continue;
        const Best inTrack = ClosestInTrack(*positions, clickLon, clickLat, cosLat);
        if (inTrack.distance < best.distance) {
            best = inTrack;
            best.handle = track.handle;
            bestTrack = &track;
        }
    }
    TrackPoint point;
    if (!bestTrack || !ReadPoint(*bestTrack, best.index, point)) {
        NoTracks(MB_ICONSTOP, "Get closest point()");
        return false;
    }
    Describe(engineWindow, *bestTrack, best.index, point, info);
    return true;
}
