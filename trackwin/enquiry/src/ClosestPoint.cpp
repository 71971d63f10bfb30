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
    size_t order = SIZE_MAX; // of the track in the table
    int32_t index = -1;
};

// A track that may hold the closest point, with the least distance any of its points can have.
struct Candidate {
    size_t order;
    TrackInfo* track;
    const KeptPositions* kept;
    double bound;
};

// The flat-earth distance in kilometres from a click to a point (1e-7 degree), across the 180
// degree meridian where that is shorter.
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

// No point of the rectangle is nearer: the distance grows with the latitude and the longitude
// differences, and outside its longitudes the nearest is one of its edges, either way round.
double LeastDistanceKm(const KeptPositions& kept, int32_t clickLon, int32_t clickLat, double cosLat)
{
    const int32_t lat = std::clamp(clickLat, kept.south, kept.north);
    int32_t lon = clickLon;
    if (clickLon < kept.west || clickLon > kept.east)
        lon = PointDistanceKm(clickLon, clickLat, cosLat, kept.west, lat) <= PointDistanceKm(clickLon, clickLat, cosLat, kept.east, lat)
                  ? kept.west
                  : kept.east;
    // Rounding must not make the bound pass over an equally near point.
    return PointDistanceKm(clickLon, clickLat, cosLat, lon, lat) * (1.0 - 1e-9);
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
    std::vector<Candidate> candidates;
    for (size_t order = 0; order < tracks.size() && folder; ++order) {
        TrackInfo& track = tracks[order];
        if (track.handle == 0 || track.handle == CURRENT_TRACK_HANDLE)
            continue;
        const KeptPositions* kept = StoredTrackPositions(*folder, track);
        if (kept && !kept->points.empty())
            candidates.push_back({order, &track, kept, LeastDistanceKm(*kept, clickLon, clickLat, cosLat)});
    }
    // Nearest first, so that the far tracks need no look once one point is found; on equal
    // distances the track earlier in the table wins, as a search in table order finds it.
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& a, const Candidate& b) { return a.bound < b.bound; });
    Best best;
    TrackInfo* bestTrack = nullptr;
    for (const Candidate& c : candidates) {
        if (c.bound > best.distance)
            break;
        Best inTrack = ClosestInTrack(c.kept->points, clickLon, clickLat, cosLat);
        if (inTrack.distance < best.distance || (inTrack.distance == best.distance && c.order < best.order)) {
            inTrack.order = c.order;
            best = inTrack;
            bestTrack = c.track;
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
