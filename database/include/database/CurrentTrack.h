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
// databaseFolder: the full path of the destination database ("c:\varnel\other").
int DBSaveCurrentTrackTo(const char* databaseFolder, TrackInfo* info);

int DBLoadCurrentTrackInfo(TrackInfo* info);
int DBLoadTrackStatus(TrackStatus* status);

// Opens the active database "<drive>:\varnel\database", creating it (and asking for its name)
// when missing, and stores a current track that a previous run left behind. Result 1 or 0.
int DBInitialiseDatabase(char driveLetter);

} // extern "C"

// The status a new database starts with.
TrackStatus DefaultTrackStatus();

// Every stored track is handed to the chart's reanalysis, which recolours its points for the
// loaded box set and rewrites its entry. The chart installs it; until then nothing happens.
using StoredTrackReanalysis = int (*)(TrackInfo* track, const char* databaseFolder);
void SetStoredTrackReanalysis(StoredTrackReanalysis reanalyse);
