#include "TrackPositions.h"

#include "database/TrackStore.h"
#include "records/TrackStoreFiles.h"

#include <sys/stat.h>

#include <string>
#include <unordered_map>

namespace {

struct FileStamp {
    int64_t size = -1;
    int64_t changed = 0; // nanoseconds

    bool operator==(const FileStamp&) const = default;
};

struct Kept {
    FileStamp stamp;
    std::vector<PointPosition> positions;
};

std::unordered_map<std::string, Kept>& kept()
{
    static std::unordered_map<std::string, Kept> tracks;
    return tracks;
}

long reads = 0;

std::string PointFile(const std::filesystem::path& overlayFolder, uint32_t handle)
{
    return (overlayFolder / StoredTrackFileName(handle, "dat")).string();
}

FileStamp StampOf(const std::string& path)
{
    struct stat s;
    if (::stat(path.c_str(), &s) != 0)
        return {};
    return FileStamp{int64_t(s.st_size), int64_t(s.st_mtim.tv_sec) * 1000000000 + s.st_mtim.tv_nsec};
}

// Block by block as the database hands them out; a block short of a full one is the last.
bool ReadPositions(TrackInfo& track, std::vector<PointPosition>& positions)
{
    static std::vector<TrackPoint> buffer(TRACK_BLOCK_POINTS);
    positions.clear();
    TrackBlock block{buffer.data(), TRACK_BLOCK_POINTS, 0};
    do {
        if (!DBReadTrackDataBlock(&track, &block, "database"))
            return false;
        for (int i = 0; i < block.count; ++i)
            positions.push_back(PointPosition{buffer[size_t(i)].lat, buffer[size_t(i)].lon});
    } while (block.count == TRACK_BLOCK_POINTS);
    ++reads;
    return true;
}

} // namespace

const std::vector<PointPosition>* StoredTrackPositions(const std::filesystem::path& overlayFolder, TrackInfo& track)
{
    const std::string path = PointFile(overlayFolder, track.handle);
    // Stamped before reading: a change while it is read shows at the next click.
    const FileStamp stamp = StampOf(path);
    auto found = kept().find(path);
    if (found != kept().end() && stamp.size >= 0 && found->second.stamp == stamp)
        return &found->second.positions;
    Kept fresh{stamp, {}};
    if (!ReadPositions(track, fresh.positions)) {
        kept().erase(path);
        return nullptr;
    }
    return &(kept()[path] = std::move(fresh)).positions;
}

void ForgetTrackPositions(const std::filesystem::path& overlayFolder, uint32_t handle)
{
    kept().erase(PointFile(overlayFolder, handle));
}

long TrackPositionReads() { return reads; }
