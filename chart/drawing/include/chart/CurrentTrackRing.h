// The current track as the chart shows it: per beam slot a ring of the newest readings. Display
// memory only: the current-track files are the record.
#pragma once

#include "platform/windef.h"
#include "records/TrackRecords.h"

#include <cstdint>

// One record is always free, so a full ring holds RING_POINTS points and the write position
// never meets the oldest point.
constexpr int RING_RECORDS = 32001;
constexpr int RING_POINTS = RING_RECORDS - 1;

struct CurrentTrackRing {
    TrackPoint points[RING_RECORDS];
    int32_t writeIndex = 0;     // where the next point goes
    int32_t startIndex = -1;    // the oldest point; -1 while empty
    int32_t count = 0;          // points held
    int32_t previousIndex = -1; // the point before the newest one; -1 while there is none
    int32_t boxSignature = 0;   // of the box the points were last classified with
};
extern CurrentTrackRing CurrentTrackRings[BEAM_SLOTS];

// The current track's extent over all slots (left, top, right, bottom: west, north, east,
// south), from its first point on; false while every ring is empty.
bool CurrentTrackBounds(RECT* bounds);

// Stores the point as the slot's newest, dropping the oldest from a full ring.
void AppendToRing(int slot, const TrackPoint& point);

// The slot's points, oldest first.
template <typename Visit> void ForEachRingPoint(int slot, Visit visit)
{
    const CurrentTrackRing& ring = CurrentTrackRings[slot];
    if (ring.startIndex < 0)
        return;
    for (int i = ring.startIndex, n = 0; n < ring.count; ++n, i = (i + 1) % RING_RECORDS)
        visit(ring.points[i]);
}
