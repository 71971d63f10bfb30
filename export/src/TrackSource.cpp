#include "TrackSource.h"

#include "database/DbFiles.h"
#include "database/OverlayStore.h"
#include "database/TrackStore.h"
#include "platform/files.h"
#include "records/TrackStoreFiles.h"

#include <algorithm>
#include <cstdio>

namespace gisexport {

bool DatabaseExists(const std::string& database)
{
    const std::string tracksInf = db::TrackFolder(database.c_str()) + "\\" + TRACKS_INF;
    return win::fileSize(tracksInf.c_str()) >= 0;
}

bool SelectTracks(const ExportRequest& request, std::vector<TrackInfo>& tracks)
{
    const RECT* area = request.area ? &*request.area : nullptr;
    if (!db::GetTracksInDataRect(area, request.database.c_str(), tracks))
        return false;
    // The current track's placeholder is no stored track.
    std::erase_if(tracks, [&](const TrackInfo& t) {
        return t.handle == CURRENT_TRACK_HANDLE ||
               (!request.handles.empty() &&
                std::find(request.handles.begin(), request.handles.end(), t.handle) == request.handles.end());
    });
    std::sort(tracks.begin(), tracks.end(), [](const TrackInfo& a, const TrackInfo& b) { return a.handle < b.handle; });
    return true;
}

std::optional<int> TrackTransducer(const std::string& database, uint32_t handle)
{
    int transducer = 0;
    if (DBGetTrackBeamIn(database.c_str(), handle, &transducer) != 0)
        return std::nullopt;
    return transducer;
}

bool ReadTrackPoints(const std::string& database, TrackInfo track, const TakeBlock& take)
{
    std::vector<TrackPoint> points(TRACK_BLOCK_POINTS);
    std::vector<uint32_t> times(TRACK_BLOCK_POINTS);
    // Time i belongs to point i; a missing or short time file leaves the rest without times.
    db::File timeFile = db::Open(db::TrackFolder(database.c_str()) + "\\" + StoredTrackFileName(track.handle, "tim"), "rb");
    TrackBlock block{points.data(), 0, 0};
    do {
        const int32_t first = block.offset / int32_t(sizeof(TrackPoint));
        if (!DBReadTrackDataBlock(&track, &block, database.c_str()))
            return false;
        size_t timed = 0;
        if (timeFile && std::fseek(timeFile.get(), long(first) * 4, SEEK_SET) == 0)
            timed = std::fread(times.data(), 4, size_t(block.count), timeFile.get());
        std::fill(times.begin() + long(timed), times.end(), 0u);
        if (block.count > 0 && !take(points.data(), times.data(), block.count))
            return false;
    } while (block.count == TRACK_BLOCK_POINTS);
    return true;
}

} // namespace gisexport
