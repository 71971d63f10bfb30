// The readings of the kill sweep's recording scenario. Every point carries its identity (its
// depth), so that wherever a store put it, its recording, slot, position and time can be checked.
#pragma once

#include "records/TrackRecords.h"

#include <cstdint>

namespace killsweep {

// The killed run records three times (the second into OTHER_DATABASE); the run after it
// records once more into the active database.
constexpr int RECORDINGS = 3;
constexpr int OTHER_RECORDING = 2;
constexpr int RESUME_RECORDING = 4;
constexpr const char* OTHER_DATABASE = "survey2";
// Two rounds of the seven transducers the sounder has (slot 4 is never used).
constexpr int SLOTS[] = {0, 1, 2, 3, 5, 6, 7};
constexpr int READINGS = 14;

struct Reading {
    int id;
    int recording;
    int slot;
    TrackPoint point;
    uint32_t time;
};

inline Reading ReadingOf(int id)
{
    int recording = id / 100;
    int slot = SLOTS[(id % 100) % 7];
    TrackPoint point{float(id), 0.5f, 0.25f, 500000000 + id * 1000, 10000000 - id * 700, 3};
    return Reading{id, recording, slot, point, 1700000000u + uint32_t(id)};
}

inline int ReadingId(int recording, int n) { return recording * 100 + n; }

} // namespace killsweep
