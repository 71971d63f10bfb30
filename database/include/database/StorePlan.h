// The written-down plan of a store in progress: which slot becomes which handle of which
// database, and the record every new entry starts from. It lives in the active database,
// where start-up looks, whichever database the store goes to.
#pragma once

#include "records/TrackRecords.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct PlannedTrack {
    int slot;
    uint32_t handle;
};

struct StorePlan {
    std::string folder;  // destination database folder path
    TrackInfo record;    // the caller's record: spare fields and box signature of every entry
    std::vector<PlannedTrack> tracks;
};

// Written whole or not at all.
bool WriteStorePlan(const StorePlan& plan);
// The plan of a store that has not finished, if any.
std::optional<StorePlan> ReadStorePlan();
bool RemoveStorePlan();
