// The time index that interleaves the points of all tracks, and the reader that fetches the
// indexed points back in index order.
#pragma once

#include "TrackFiles.h"

#include <cstdint>
#include <vector>

namespace replaymake {

struct TimeIndexEntry {
    uint32_t time;   // seconds since 1970
    uint32_t handle;
    uint32_t offset; // byte offset of the point in its point file
};
static_assert(sizeof(TimeIndexEntry) == 12);

// By time; equal times by handle, then offset, so every run gives the same files.
void SortTimeIndex(std::vector<TimeIndexEntry>& index);

// Fetches indexed points through one read window per track, so a pass over millions of
// entries costs one read per window rather than one per point, whatever the interleaving.
class IndexedPointReader {
public:
    // `index` tells which tracks take part and how many of their points will be asked for.
    explicit IndexedPointReader(const std::vector<TimeIndexEntry>& index);
    enum class Fetched { POINT, NO_FILE, NO_POINT };
    // The point an entry names, or why there is none: its file cannot be opened, or it holds
    // no such point.
    Fetched Fetch(const TimeIndexEntry& entry, TrackPoint& point);

private:
    struct Track {
        BlockFile file;
        std::vector<TrackPoint> window;
        std::size_t windowPoints = 0; // points read into the window
        uint32_t windowStart = 0;     // byte offset of window[0]
        uint32_t pending = 0;     // entries still to be fetched
    };
    Fetched Refill(Track& track, uint32_t handle, uint32_t offset);
    bool OpenTrackFile(Track& track, uint32_t handle);

    std::vector<Track> tracks_; // by handle
    std::size_t windowPoints_ = 0;
};

} // namespace replaymake
