// Recording into the current track: the records shared with the acquisition module, the
// operations it calls for every recorded reading, the track status, storing the current track
// and opening (or creating, or recovering) the active database at start-up.
#pragma once

#include "records/TrackRecords.h"

extern "C" {

// Exported to the acquisition module by name.
extern TrackInfo globalcurrenttrackinfos[BEAM_SLOTS];
extern TrackInfo globalpasttrackinfo;
extern TrackStatus globaltrackstatus;

int DBAddPointsToCurrentTrack(CurrentTrackBlock* block);
int DBAddTimesToCurrentTrack(TimeBlock* block);
int DBSaveCurrentTrackInfo(TrackInfo* info);
int DBSaveTrackStatus(TrackStatus* status);
int DBSaveCurrentTrack(TrackInfo* info);
int DBSaveCurrentTrackTo(const char* databaseFolder, TrackInfo* info);

int DBLoadCurrentTrackInfo(TrackInfo* info);
int DBLoadTrackStatus(TrackStatus* status);

} // extern "C"
