#include "TimeIndex.h"

#include <algorithm>
#include <cerrno>

namespace replaymake {
namespace {
// Memory shared out among the read windows of all tracks in the index.
constexpr std::size_t WINDOW_BUDGET_BYTES = 8 << 20;
constexpr std::size_t MIN_WINDOW_POINTS = 128;
} // namespace

void SortTimeIndex(std::vector<TimeIndexEntry>& index)
{
    std::sort(index.begin(), index.end(), [](const TimeIndexEntry& a, const TimeIndexEntry& b) {
        if (a.time != b.time)
            return a.time < b.time;
        if (a.handle != b.handle)
            return a.handle < b.handle;
        return a.offset < b.offset;
    });
}

IndexedPointReader::IndexedPointReader(const std::vector<TimeIndexEntry>& index)
{
    uint32_t highest = 0;
    for (const auto& e : index)
        highest = std::max(highest, e.handle);
    tracks_.resize(index.empty() ? 0 : std::size_t(highest) + 1);
    std::size_t trackCount = 0;
    for (const auto& e : index)
        if (tracks_[e.handle].pending++ == 0)
            ++trackCount;
    std::size_t share = WINDOW_BUDGET_BYTES / std::max<std::size_t>(trackCount, 1) / sizeof(TrackPoint);
    windowPoints_ = std::clamp<std::size_t>(share, MIN_WINDOW_POINTS, TRACK_BLOCK_POINTS);
}

bool IndexedPointReader::OpenTrackFile(Track& track, uint32_t handle)
{
    const auto names = TrackFileNamesOf(handle);
    if (track.file.Open(names.points))
        return true;
    if (errno != EMFILE && errno != ENFILE)
        return false;
    // Out of descriptors: let the other tracks reopen their files when they need them.
    for (auto& other : tracks_)
        other.file.Close();
    return track.file.Open(names.points);
}

bool IndexedPointReader::Refill(Track& track, uint32_t handle, uint32_t offset)
{
    if (!track.file.IsOpen() && !OpenTrackFile(track, handle))
        return false;
    track.window.resize(windowPoints_);
    std::size_t got = track.file.Read(track.window.data(), sizeof(TrackPoint), windowPoints_, offset);
    track.window.resize(got);
    track.windowStart = offset;
    return got > 0;
}

bool IndexedPointReader::Fetch(const TimeIndexEntry& entry, TrackPoint& point)
{
    if (entry.handle >= tracks_.size())
        return false;
    Track& track = tracks_[entry.handle];
    uint64_t end = uint64_t(track.windowStart) + track.window.size() * sizeof(TrackPoint);
    bool inWindow = entry.offset >= track.windowStart && entry.offset + sizeof(TrackPoint) <= end &&
                    (entry.offset - track.windowStart) % sizeof(TrackPoint) == 0;
    if (!inWindow && !Refill(track, entry.handle, entry.offset))
        return false;
    point = track.window[(entry.offset - track.windowStart) / sizeof(TrackPoint)];
    if (track.pending > 0 && --track.pending == 0) {
        // Done with this track: give back its descriptor and window.
        track.file.Close();
        track.window = {};
    }
    return true;
}

} // namespace replaymake
