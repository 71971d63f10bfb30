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
// On success the record is the first stored track's entry, or has handle 0 when no slot had
// recorded anything and nothing was stored.
int DBSaveCurrentTrack(TrackInfo* info);
// databaseFolder: the full path of the destination database ("c:\varnel\other").
int DBSaveCurrentTrackTo(const char* databaseFolder, TrackInfo* info);

int DBLoadCurrentTrackInfo(TrackInfo* info);
// One recorded reading of the record's slot: the record, the point, its time, in that order.
// Quiet, for a caller that reports once and stops: 0, or the errno of the first write that
// failed (ENOSPC on a full disk).
int RecordCurrentTrackPoint(TrackInfo* info, TrackPoint* point, uint32_t time);
int DBLoadTrackStatus(TrackStatus* status);

// Opens the active database "<drive>:\varnel\database", creating it (and asking for its name)
// when missing, and stores a current track that a previous run left behind. Result 1 or 0.
int DBInitialiseDatabase(char driveLetter);

} // extern "C"

// Finishes a store that a crash or a failure cut short, whichever database it went to.
// Result 1 when there was none or it is done, 0 (reported) when it could not be finished.
int FinishInterruptedStore();

// The status a new database starts with.
TrackStatus DefaultTrackStatus();

// Every stored track is handed to the chart's reanalysis, which recolours its points for the
// loaded box set and rewrites its entry. The chart installs it; until then nothing happens.
using StoredTrackReanalysis = int (*)(TrackInfo* track, const char* databaseFolder);
void SetStoredTrackReanalysis(StoredTrackReanalysis reanalyse);
