#include "TrackStoreWriter.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

void writeAt(const fs::path& file, std::streamoff offset, const void* data, std::size_t bytes)
{
    if (!fs::exists(file))
        std::ofstream(file, std::ios::binary);
    std::fstream out(file, std::ios::binary | std::ios::in | std::ios::out);
    out.seekp(offset);
    out.write(static_cast<const char*>(data), std::streamsize(bytes));
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

template <typename T>
void writeAll(const fs::path& file, const std::vector<T>& records)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(records.data()), std::streamsize(records.size() * sizeof(T)));
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

std::string trackFileName(uint32_t handle, const char* extension)
{
    char name[32];
    std::snprintf(name, sizeof name, "trk%05u.%s", handle, extension);
    return name;
}

} // namespace

TrackPoint MakePoint(float depth, float e1, float e2, int32_t lat, int32_t lon)
{
    return TrackPoint{depth, e1, e2, lat, lon, 0};
}

TrackStoreWriter::TrackStoreWriter(const fs::path& driveC) : overlay_(driveC / "varnel" / "database" / "ovl00001")
{
    fs::create_directories(overlay_);
    fs::remove(overlay_ / "tracks.inf");
    writeStatusFile(sizeof(TrackStatusDisk));
    std::ofstream(overlay_ / "Swath.dat", std::ios::binary | std::ios::trunc);
    TrackInfoDisk placeholder{};
    placeholder.handle = 1;
    writeEntry(0, placeholder);
    entries_ = 1;
    live_ = 1;
    writeObjectCounts();
}

void TrackStoreWriter::writeStatusFile(std::size_t bytes)
{
    writeAll(overlay_ / "trkstat.inf", std::vector<char>(bytes, 0));
}

void TrackStoreWriter::writeEntry(uint32_t entryIndex, const TrackInfoDisk& info)
{
    char entry[42] = {};
    std::memcpy(entry, &info, sizeof info);
    writeAt(overlay_ / "tracks.inf", std::streamoff(entryIndex) * 42, entry, sizeof entry);
}

void TrackStoreWriter::writeObjectCounts()
{
    ObjectCounts counts[2] = {};
    counts[0].tracks = int16_t(entries_);
    counts[1].tracks = live_;
    writeAt(overlay_ / "objects.inf", 0, counts, sizeof counts);
}

uint32_t TrackStoreWriter::addTrack(int16_t beam, const std::vector<TrackPoint>& points,
                                    const std::optional<std::vector<uint32_t>>& times)
{
    uint32_t handle = entries_ + 1;
    TrackInfo info{};
    info.handle = handle;
    SetEmptyRect(info);
    for (const auto& p : points) {
        const int32_t lat = p.lat, lon = p.lon; // copies: the packed fields are not aligned
        ExtendRect(info, lon, lat);
    }
    info.points = uint32_t(points.size());
    writeEntry(entries_, TrackInfoToDisk(info));
    writeAll(overlay_ / trackFileName(handle, "dat"), points);
    if (times)
        writeAll(overlay_ / trackFileName(handle, "tim"), *times);
    writeAt(overlay_ / "Swath.dat", std::streamoff(handle) * 2, &beam, sizeof beam);
    ++entries_;
    ++live_;
    writeObjectCounts();
    return handle;
}

void TrackStoreWriter::deleteTrack(uint32_t handle)
{
    uint32_t zero = 0;
    writeAt(overlay_ / "tracks.inf", std::streamoff(handle - 1) * 42, &zero, sizeof zero);
    --live_;
    writeObjectCounts();
}
