// Keeping point colours in step with the loaded box: a track is re-classified only when the box
// it was coloured with, known by its signature, is not the loaded one.
#include "chart/CurrentTrackRing.h"
#include "chart/TrackDrawing.h"

#include "database/CurrentTrack.h"
#include "database/OverlayStore.h"
#include "database/TrackStore.h"
#include "platform/messages.h"

#include <memory>
#include <new>

namespace {

// Erased points stay erased, and readings without classification keep their colour.
bool Reclassifiable(int colour)
{
    return colour != COLOUR_ERASED && colour != COLOUR_NO_CLASSIFICATION;
}

// Track records keep the low 16 bits of a signature.
bool SameSignature(int32_t a, int32_t b)
{
    return int16_t(a) == int16_t(b);
}

using BlockTransfer = int (*)(TrackInfo*, TrackBlock*, const char*);

// Re-colours a stored track's point file in place, keeping its file times, then records the
// signature in its entry: a rewrite cut short leaves the old signature, so it is done again.
int ReanalyseStoredTrack(const BoxFile& box, TrackInfo* track, const char* database, BlockTransfer read,
                         BlockTransfer write, const char* caption)
{
    const int32_t signature = BoxSignature(box);
    if (SameSignature(signature, track->boxsignature))
        return 0;
    std::unique_ptr<TrackPoint[]> buffer(new (std::nothrow) TrackPoint[TRACK_BLOCK_POINTS]);
    if (!buffer) {
        MessageBoxA(nullptr, "Memory Allocation Error", caption, MB_OK);
        return 0;
    }
    BoxFile privateBox = box;
    FILETIME times[3];
    const bool haveTimes = DBGetTrackFileTimes(times, track, database) == 0;
    TrackBlock block{buffer.get(), 0, 0};
    bool rewritten = true;
    do {
        const int32_t offset = block.offset;
        if (!read(track, &block, database)) {
            rewritten = false;
            break;
        }
        if (block.count == 0 || buffer[0].colour == COLOUR_NO_CLASSIFICATION)
            continue;
        for (int i = 0; i < block.count; ++i)
            if (Reclassifiable(buffer[i].colour))
                ClassifyReading(&privateBox, &buffer[i]);
        TrackBlock back{buffer.get(), block.count, offset};
        if (!write(track, &back, database)) {
            rewritten = false;
            break;
        }
    } while (block.count == TRACK_BLOCK_POINTS);
    if (haveTimes)
        DBSetTrackFileTimes(times, track, database);
    if (!rewritten)
        return 0;
    track->boxsignature = signature;
    DBSetObjectInfo(TRACK_OVERLAY, OBJ_TRACK, track, database);
    return 1;
}

} // namespace

int32_t BoxSignature(const BoxFile& box)
{
    // Summed in single precision, in this order, as the stored signatures were.
    float bounds = box.e2Max * 100 + box.e1Max * 100 + box.e2Min * 100 + box.e1Min * 100;
    uint32_t signature = uint32_t(int32_t(bounds));
    for (const auto& column : box.grid)
        for (uint16_t cell : column)
            signature += uint32_t(int32_t(int16_t(cell)));
    return int32_t(signature);
}

int ReanalyseCurrentTrackArray(int slot, const BoxFile& box)
{
    CurrentTrackRing& ring = CurrentTrackRings[slot];
    const int32_t signature = BoxSignature(box);
    if (signature == ring.boxSignature)
        return 0;
    ring.boxSignature = signature;
    BoxFile privateBox = box;
    for (TrackPoint& point : ring.points)
        if (Reclassifiable(point.colour))
            ClassifyReading(&privateBox, &point);
    return 1;
}

int ReanalyseTrackOnDisc2(const BoxFile& box, TrackInfo* trackInfo, const char* databaseFolder)
{
    return ReanalyseStoredTrack(box, trackInfo, databaseFolder, DBReadTrackDataBlock, DBWriteTrackDataBlock,
                                "ReanalyseTrackOnDisc2()");
}

int ReanalyseTrackOnDiscAt(const BoxFile& box, TrackInfo* trackInfo, const char* databaseFolder)
{
    return ReanalyseStoredTrack(box, trackInfo, databaseFolder, DBReadTrackDataBlockAt, DBWriteTrackDataBlockAt,
                                "ReanalyseTrackOnDiscAt()");
}

void InstallStoredTrackReanalysis()
{
    SetStoredTrackReanalysis([](TrackInfo* track, const char* databaseFolder) {
        return ReanalyseTrackOnDiscAt(boxFile, track, databaseFolder);
    });
}
