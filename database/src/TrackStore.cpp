#include "database/TrackStore.h"
#include "database/DbFiles.h"
#include "database/OverlayStore.h"

#include "platform/files.h"

#include <algorithm>
#include <new>

using namespace db;

namespace {

constexpr long POINT_BYTES = sizeof(TrackPoint);

std::string StoredTrackPath(const std::string& databaseFolder, uint32_t handle)
{
    return Format("%s\\%s\\%s", databaseFolder.c_str(), TRACK_OVERLAY_FOLDER, StoredTrackFileName(handle, "dat").c_str());
}

// Handle 1 is the current track of the record's slot in the active database.
std::string PointFilePath(const TrackInfo* track, const char* database)
{
    if (track->handle == 1)
        return CurrentTrackPath(track->slot, CurrentFile::Points);
    return StoredTrackPath(DatabaseFolder(database), track->handle);
}

int ReadBlock(const char* title, const std::string& path, TrackBlock* block)
{
    File f = Open(path, "rb");
    if (!f)
        return Failf(title, "%s %s", "Failed opening track file", path.c_str());
    if (block->offset < 0 || std::fseek(f.get(), block->offset, SEEK_SET) != 0)
        return Fail(title, "Failed seeking on track file");
    block->count = int32_t(std::fread(block->buffer, POINT_BYTES, TRACK_BLOCK_POINTS, f.get()));
    // A point cut short at the end of a file still being written is not part of the block.
    block->offset += block->count * POINT_BYTES;
    return 1;
}

int WriteBlock(const char* title, const std::string& path, TrackBlock* block)
{
    File f = Open(path, "r+b");
    if (!f)
        return Failf(title, "%s %s", "Failed opening track file", path.c_str());
    long size = SizeOf(f.get());
    if (block->offset < 0 || block->offset > size || std::fseek(f.get(), block->offset, SEEK_SET) != 0)
        return Fail(title, "Failed seeking on track file");
    // Rewriting in place only: a block reaching past the end would lengthen the track.
    long count = std::max<long>(block->count, 0);
    if (block->offset + count * POINT_BYTES > size)
        return Fail(title, "Failed writing to track file");
    size_t written = std::fwrite(block->buffer, POINT_BYTES, size_t(count), f.get());
    if (!Close(f) || written != size_t(count))
        return Fail(title, "Failed writing to track file");
    block->offset += int32_t(count * POINT_BYTES);
    return 1;
}

} // namespace

extern "C" {

int DBReadTrackDataBlock(TrackInfo* track, TrackBlock* block, const char* database)
{
    if (track->handle == 0)
        return Fail("DBReadTrackDataBlock", "Object handle is null");
    return ReadBlock("DBReadTrackDataBlock", PointFilePath(track, database), block);
}

int DBReadTrackDataBlockAt(TrackInfo* track, TrackBlock* block, const char* folderPath)
{
    if (track->handle == 0)
        return Fail("DBReadTrackDataBlock", "Object handle is null");
    return ReadBlock("DBReadTrackDataBlock", StoredTrackPath(folderPath, track->handle), block);
}

int DBWriteTrackDataBlock(TrackInfo* track, TrackBlock* block, const char* database)
{
    if (track->handle == 0)
        return Fail("DBWriteTrackDataBlock", "Object handle is null");
    return WriteBlock("DBWriteTrackDataBlock", PointFilePath(track, database), block);
}

int DBWriteTrackDataBlockAt(TrackInfo* track, TrackBlock* block, const char* folderPath)
{
    if (track->handle == 0)
        return Fail("DBWriteTrackDataBlock", "Object handle is null");
    return WriteBlock("DBWriteTrackDataBlock", StoredTrackPath(folderPath, track->handle), block);
}

int DBGetTrackFileTimes(FILETIME* times, TrackInfo* track, const char* database)
{
    if (track->handle == 0) {
        Fail("DBReadTrackDataBlock", "Object handle is null");
        return -1;
    }
    return win::getFileTimes(PointFilePath(track, database).c_str(), times[0], times[1], times[2]);
}

int DBSetTrackFileTimes(const FILETIME* times, TrackInfo* track, const char* database)
{
    if (track->handle == 0) {
        Fail("DBReadTrackDataBlock", "Object handle is null");
        return -1;
    }
    // The platform cannot set a creation time; access and write times are what readers see.
    return win::setFileTimes(PointFilePath(track, database).c_str(), times[1], times[2]);
}

int DBGetTrackBeam(uint32_t handle, int* transducer)
{
    return DBGetTrackBeamIn("database", handle, transducer);
}

int DBGetTrackBeamIn(const char* database, uint32_t handle, int* transducer)
{
    File f = Open(BeamTablePath(database), "rb");
    if (!f)
        return 1;
    int16_t value;
    if (std::fseek(f.get(), long(handle) * 2, SEEK_SET) != 0 || std::fread(&value, 2, 1, f.get()) != 1)
        return 1;
    int beam = DecodeBeamTableValue(value);
    if (beam < -3 || beam > 3)
        return 1;
    if (transducer)
        *transducer = beam;
    return 0;
}

int DBUpdateTrackBoundingRect(TrackInfo* track)
{
    if (track->handle == 0)
        return 0;
    TrackInfo measured = *track;
    // An unreadable track keeps its entry as it was rather than losing its rectangle.
    if (!MeasureTrack("DBReadTrackDataBlock", PointFilePath(track, "database"), measured))
        return 0;
    *track = measured;
    return DBSetObjectInfo(TRACK_OVERLAY, OBJ_TRACK, track, "database");
}

} // extern "C"

bool MeasureTrack(const char* title, const std::string& pointFile, TrackInfo& track)
{
    auto* buffer = new (std::nothrow) TrackPoint[TRACK_BLOCK_BYTES / sizeof(TrackPoint)];
    if (!buffer)
        return Fail("", "Failed malloc in DBUpdateTrackBoundingRect");
    std::unique_ptr<TrackPoint[]> owner(buffer);
    track.leftlon = track.toplat = track.rightlon = track.bottomlat = 0;
    track.points = 0;
    TrackBlock block{buffer, 0, 0};
    do {
        if (!ReadBlock(title, pointFile, &block))
            return false;
        for (int i = 0; i < block.count; ++i) {
            // Copies: the packed fields may lie off their natural alignment.
            const int32_t lon = buffer[i].lon, lat = buffer[i].lat;
            if (buffer[i].colour == COLOUR_ERASED)
                continue;
            if (track.points == 0) {
                track.leftlon = track.rightlon = lon;
                track.toplat = track.bottomlat = lat;
            }
            ++track.points;
            ExtendRect(track, lon, lat);
        }
    } while (block.count == TRACK_BLOCK_POINTS);
    return true;
}

