// The stored tracks of a database as the export reads them: selection, transducer, and points
// with their times, block by block through the track store.
#pragma once

#include "export/GisExport.h"
#include "records/TrackRecords.h"

#include <functional>
#include <optional>
#include <vector>

namespace gisexport {

// Whether the database folder holds a track overlay.
bool DatabaseExists(const std::string& database);
// The stored tracks the request chooses, in handle order; false when tracks.inf cannot be read.
bool SelectTracks(const ExportRequest& request, std::vector<TrackInfo>& tracks);
// The transducer of a track from the database's beam table; nothing when it is not known.
std::optional<int> TrackTransducer(const std::string& database, uint32_t handle);

// `count` points of a block and their times (0 where the time file has none).
using TakeBlock = std::function<bool(const TrackPoint* points, const uint32_t* times, int count)>;
// Every point of the track's point file, erased ones included, in order; false when the file
// cannot be read or `take` stops it.
bool ReadTrackPoints(const std::string& database, TrackInfo track, const TakeBlock& take);

} // namespace gisexport
