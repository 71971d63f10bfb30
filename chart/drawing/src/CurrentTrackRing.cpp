#include "chart/CurrentTrackRing.h"
#include "chart/TrackDrawing.h"

#include "VesselCourse.h"

#include <algorithm>

CurrentTrackRing CurrentTrackRings[BEAM_SLOTS];

namespace {

bool haveBounds = false;
RECT currentTrackBounds;

void Widen(const TrackPoint& point)
{
    const int32_t lat = point.lat, lon = point.lon;
    if (!haveBounds) {
        currentTrackBounds = {lon, lat, lon, lat};
        haveBounds = true;
        return;
    }
    currentTrackBounds.left = std::min(currentTrackBounds.left, lon);
    currentTrackBounds.right = std::max(currentTrackBounds.right, lon);
    currentTrackBounds.bottom = std::min(currentTrackBounds.bottom, lat);
    currentTrackBounds.top = std::max(currentTrackBounds.top, lat);
}

} // namespace

bool CurrentTrackBounds(RECT* bounds)
{
    if (haveBounds)
        *bounds = currentTrackBounds;
    return haveBounds;
}

void AppendToRing(int slot, const TrackPoint& point)
{
    CurrentTrackRing& ring = CurrentTrackRings[slot];
    ring.previousIndex = ring.count > 0 ? (ring.writeIndex + RING_RECORDS - 1) % RING_RECORDS : -1;
    ring.points[ring.writeIndex] = point;
    if (ring.startIndex < 0)
        ring.startIndex = ring.writeIndex;
    ring.writeIndex = (ring.writeIndex + 1) % RING_RECORDS;
    if (ring.writeIndex == ring.startIndex)
        ring.startIndex = (ring.startIndex + 1) % RING_RECORDS;
    if (ring.count < RING_POINTS)
        ++ring.count;
    Widen(point);
}

void ClearCurrentTrackRings()
{
    for (CurrentTrackRing& ring : CurrentTrackRings) {
        ring.writeIndex = 0;
        ring.startIndex = -1;
        ring.count = 0;
        ring.previousIndex = -1;
    }
    haveBounds = false;
    // The positions jump: a course across the jump would be no course.
    ForgetVesselFixes();
}

void BreakCurrentTrackLines()
{
    // The newest point marked as erased: no segment joins it to the next one.
    for (CurrentTrackRing& ring : CurrentTrackRings)
        if (ring.count > 0)
            ring.points[(ring.writeIndex + RING_RECORDS - 1) % RING_RECORDS].colour = COLOUR_ERASED;
    ForgetVesselFixes();
}
