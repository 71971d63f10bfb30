// The positions of the stored tracks' points, kept between clicks: a point file is read again
// only when its size or its time of last change differs from when it was read.
#pragma once

#include "records/TrackRecords.h"

#include <cstdint>
#include <filesystem>
#include <vector>

struct PointPosition {
    int32_t lat;
    int32_t lon;
};

// A track's points in file order, and the rectangle round all of them, erased ones too.
struct KeptPositions {
    std::vector<PointPosition> points;
    int32_t west = 0, north = 0, east = 0, south = 0;
};

// Null when the track's point file cannot be read (the database said why).
const KeptPositions* StoredTrackPositions(const std::filesystem::path& overlayFolder, TrackInfo& track);
// A deleted track's positions are let go.
void ForgetTrackPositions(const std::filesystem::path& overlayFolder, uint32_t handle);
// How many point files have been read since the start (the benchmark and the tests count them).
long TrackPositionReads();
