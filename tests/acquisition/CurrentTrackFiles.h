// What the current-track files of one beam slot hold, read back by the tests.
#pragma once

#include "TempDataRoot.h"
#include "database/DbFiles.h"
#include "platform/files.h"
#include "records/TrackRecords.h"

#include <cstring>
#include <vector>

template <typename Record>
std::vector<Record> CurrentTrackRecords(int slot, db::CurrentFile kind)
{
    std::string bytes = TempDataRoot::readFile(*win::HostPath(db::CurrentTrackPath(slot, kind)));
    std::vector<Record> records(bytes.size() / sizeof(Record));
    if (!records.empty())
        std::memcpy(records.data(), bytes.data(), records.size() * sizeof(Record));
    return records;
}

inline std::vector<TrackPoint> CurrentTrackPoints(int slot) { return CurrentTrackRecords<TrackPoint>(slot, db::CurrentFile::Points); }
inline std::vector<uint32_t> CurrentTrackTimes(int slot) { return CurrentTrackRecords<uint32_t>(slot, db::CurrentFile::Times); }
