// The track files of a database: point, time, information and beam files, read and written
// in blocks of at most TRACK_BLOCK_POINTS points.
#pragma once

#include "platform/windef.h"
#include "records/TrackRecords.h"

#include <cstdint>
#include <string>

extern "C" {

// The root folder, "c:\varnel" with its first character replaced by the database drive.
extern char szVarnelDir[MAX_PATH];

// `database` is a database folder name ("database") or a full folder path ("d:\varnel\other").
// Handle 1 reads the current point file of the record's slot.
int DBReadTrackDataBlock(TrackInfo* track, TrackBlock* block, const char* database);
int DBReadTrackDataBlockAt(TrackInfo* track, TrackBlock* block, const char* folderPath);
// Rewrite points in place; never changes the file's length.
int DBWriteTrackDataBlock(TrackInfo* track, TrackBlock* block, const char* database);
int DBWriteTrackDataBlockAt(TrackInfo* track, TrackBlock* block, const char* folderPath);

// times: creation, last access, last write. Result 0, a system error code, or -1.
int DBGetTrackFileTimes(FILETIME* times, TrackInfo* track, const char* database);
int DBSetTrackFileTimes(const FILETIME* times, TrackInfo* track, const char* database);

// Result 0 with the transducer (-3..+3) of a stored track, 1 when it is not known.
int DBGetTrackBeam(uint32_t handle, int* transducer);
// The same from the beam table of the named database, active or not.
int DBGetTrackBeamIn(const char* database, uint32_t handle, int* transducer);
int DBUpdateTrackBoundingRect(TrackInfo* track);

} // extern "C"

// Rectangle and count of a point file's points that are not erased, into `track`; false,
// reported under `title`, when the file cannot be read.
bool MeasureTrack(const char* title, const std::string& pointFile, TrackInfo& track);
