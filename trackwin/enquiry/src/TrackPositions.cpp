#include "TrackPositions.h"

#include "database/TrackStore.h"
#include "records/TrackStoreFiles.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <memory>
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
    KeptPositions positions;
};

std::unordered_map<std::string, Kept>& kept()
{
    static std::unordered_map<std::string, Kept> tracks;
    return tracks;
}

long reads = 0;

// Built by hand: a click stamps every track in view, and path objects cost more than the stat.
std::string PointFile(const std::filesystem::path& overlayFolder, uint32_t handle)
{
    char name[32];
    std::snprintf(name, sizeof name, "/trk%05u.dat", handle);
    return overlayFolder.native() + name;
}

FileStamp StampOf(const std::string& path)
{
    struct stat s;
    if (::stat(path.c_str(), &s) != 0)
        return {};
    return FileStamp{int64_t(s.st_size), int64_t(s.st_mtim.tv_sec) * 1000000000 + s.st_mtim.tv_nsec};
}

// Block by block; a block short of a full one is the last. The file is opened where it was
// found: asking the database for each block would look the folder up again every time.
bool ReadPositions(const std::string& path, TrackInfo& track, KeptPositions& kept)
{
    static std::vector<TrackPoint> buffer(TRACK_BLOCK_POINTS);
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    TrackBlock block{buffer.data(), TRACK_BLOCK_POINTS, 0};
    kept = KeptPositions{{}, 1800000000, -900000000, -1800000000, 900000000};
    if (file && std::fseek(file.get(), 0, SEEK_END) == 0) {
        kept.points.reserve(size_t(std::max(std::ftell(file.get()), 0L)) / sizeof(TrackPoint));
        std::rewind(file.get());
    }
    do {
        if (file)
            block.count = int32_t(std::fread(buffer.data(), sizeof(TrackPoint), TRACK_BLOCK_POINTS, file.get()));
        else if (!DBReadTrackDataBlock(&track, &block, "database")) // says why
            return false;
        for (int i = 0; i < block.count; ++i) {
            const TrackPoint& p = buffer[size_t(i)];
            kept.points.push_back(PointPosition{p.lat, p.lon});
            kept.west = std::min(kept.west, p.lon);
            kept.east = std::max(kept.east, p.lon);
            kept.south = std::min(kept.south, p.lat);
            kept.north = std::max(kept.north, p.lat);
        }
    } while (block.count == TRACK_BLOCK_POINTS);
    ++reads;
    return true;
}

} // namespace

const KeptPositions* StoredTrackPositions(const std::filesystem::path& overlayFolder, TrackInfo& track)
{
    const std::string path = PointFile(overlayFolder, track.handle);
    // Stamped before reading: a change while it is read shows at the next click.
    const FileStamp stamp = StampOf(path);
    auto found = kept().find(path);
    if (found != kept().end() && stamp.size >= 0 && found->second.stamp == stamp)
        return &found->second.positions;
    Kept fresh{stamp, {}};
    if (!ReadPositions(path, track, fresh.positions)) {
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
