#include "TimeIndex.h"

#include <algorithm>
#include <cerrno>
#include <numeric>

namespace replaymake {
namespace {
// Memory shared out among the read windows of all tracks in the index.
constexpr std::size_t WINDOW_BUDGET_BYTES = 8 << 20;
constexpr std::size_t MIN_WINDOW_POINTS = 128;
constexpr std::size_t DIGIT_VALUES = 1 << 16;
} // namespace

// A radix sort: stable passes over 16-bit digits, least significant key first, so that the
// cost stays linear in the number of points. Passes over a digit all entries share are skipped.
void SortTimeIndex(std::vector<TimeIndexEntry>& index)
{
    std::vector<TimeIndexEntry> sorted(index.size());
    std::vector<std::size_t> starts(DIGIT_VALUES + 1);
    auto pass = [&](uint32_t TimeIndexEntry::*key, int shift) {
        std::fill(starts.begin(), starts.end(), 0);
        for (const auto& e : index)
            ++starts[((e.*key >> shift) & (DIGIT_VALUES - 1)) + 1];
        if (std::ranges::find(starts, index.size()) != starts.end())
            return;
        std::partial_sum(starts.begin(), starts.end(), starts.begin());
        for (const auto& e : index)
            sorted[starts[(e.*key >> shift) & (DIGIT_VALUES - 1)]++] = e;
        index.swap(sorted);
    };
    for (auto key : {&TimeIndexEntry::offset, &TimeIndexEntry::handle, &TimeIndexEntry::time})
        for (int shift : {0, 16})
            pass(key, shift);
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

IndexedPointReader::Fetched IndexedPointReader::Refill(Track& track, uint32_t handle, uint32_t offset)
{
    if (!track.file.IsOpen() && !OpenTrackFile(track, handle))
        return Fetched::NO_FILE;
    track.window.resize(windowPoints_);
    track.windowPoints = track.file.Read(track.window.data(), sizeof(TrackPoint), windowPoints_, offset);
    track.windowStart = offset;
    return track.windowPoints > 0 ? Fetched::POINT : Fetched::NO_POINT;
}

IndexedPointReader::Fetched IndexedPointReader::Fetch(const TimeIndexEntry& entry, TrackPoint& point)
{
    if (entry.handle >= tracks_.size())
        return Fetched::NO_POINT;
    Track& track = tracks_[entry.handle];
    uint64_t end = uint64_t(track.windowStart) + track.windowPoints * sizeof(TrackPoint);
    bool inWindow = entry.offset >= track.windowStart && entry.offset + sizeof(TrackPoint) <= end &&
                    (entry.offset - track.windowStart) % sizeof(TrackPoint) == 0;
    if (!inWindow)
        if (Fetched refilled = Refill(track, entry.handle, entry.offset); refilled != Fetched::POINT)
            return refilled;
    point = track.window[(entry.offset - track.windowStart) / sizeof(TrackPoint)];
    if (track.pending > 0 && --track.pending == 0) {
        // Done with this track: give back its descriptor and window.
        track.file.Close();
        track.window = {};
        track.windowPoints = 0;
    }
    return Fetched::POINT;
}

} // namespace replaymake
