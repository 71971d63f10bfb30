// The stored tracks of a database that meet an area.
#pragma once

#include "platform/windef.h"
#include "records/TrackRecords.h"

#include <optional>
#include <vector>

// West, north, east, south. Nothing when the database's track list cannot be read (it said
// why) or held: then "Memory Allocation Error" is shown with `caption`.
std::optional<std::vector<TrackInfo>> StoredTracksMeeting(const char* database, const RECT& geo, const char* caption);
