// The recording scenario the kill sweep kills: opens the active database in $TIDEVANE_HOME,
// records three times round the transducers as the acquisition module does and stores each
// recording as the recording control does, the second into another database. "resume" opens
// the database (recovering what a killed run left) and records and stores once more.
// Each completed step prints a line: "started", "appended <id>" when a point's append
// returned, "timed <id>" when its time's did, "stored <recording>" when a store returned.
#include "Scenario.h"

#include "database/CurrentTrack.h"
#include "database/TrackStore.h"
#include "platform/files.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

using namespace killsweep;

namespace {

void Say(const char* what, int n)
{
    std::printf("%s %d\n", what, n);
    std::fflush(stdout);
}

// One reading as the acquisition module records it: the slot's record, then point and time.
bool RecordReading(const Reading& r)
{
    TrackInfo& info = globalcurrenttrackinfos[r.slot];
    info.slot = r.slot;
    ExtendRect(info, r.point.lon, r.point.lat);
    // The acquisition module's own write of a recorded reading: record, point, time.
    TrackPoint point = r.point;
    if (RecordCurrentTrackPoint(&info, &point, r.time) != 0)
        return false;
    Say("appended", r.id);
    Say("timed", r.id);
    return true;
}

bool Record(int recording)
{
    globaltrackstatus.field[TS_SAVING] = 1;
    for (TrackInfo& info : globalcurrenttrackinfos)
        SetEmptyRect(info);
    if (!DBSaveTrackStatus(&globaltrackstatus))
        return false;
    for (int n = 0; n < READINGS; ++n)
        if (!RecordReading(ReadingOf(ReadingId(recording, n))))
            return false;
    return true;
}

// Stops saving and stores the current track into the active database, or into `other`.
bool Store(int recording, const char* other)
{
    bool stored;
    if (other) {
        TrackInfo copy = globalcurrenttrackinfos[0];
        stored = DBSaveCurrentTrackTo((std::string(szVarnelDir) + "\\" + other).c_str(), &copy) != 0;
    } else {
        globalpasttrackinfo = globalcurrenttrackinfos[0];
        stored = DBSaveCurrentTrack(&globalpasttrackinfo) != 0;
    }
    if (!stored)
        return false;
    Say("stored", recording);
    globaltrackstatus.field[TS_PAST_HANDLE] = int32_t(globalpasttrackinfo.handle);
    globaltrackstatus.field[TS_SAVING] = 0;
    return DBSaveTrackStatus(&globaltrackstatus) != 0;
}

} // namespace

int main(int argc, char** argv)
{
    bool resume = argc > 1 && std::strcmp(argv[1], "resume") == 0;
    if (!win::PrepareDataRoot() || !DBInitialiseDatabase('C'))
        return 1;
    Say("started", 0);
    if (resume) {
        Say("saverate", globaltrackstatus.field[TS_SAVE_RATE]);
        return Record(RESUME_RECORDING) && Store(RESUME_RECORDING, nullptr) ? 0 : 1;
    }
    for (int recording = 1; recording <= RECORDINGS; ++recording)
        if (!Record(recording) || !Store(recording, recording == OTHER_RECORDING ? OTHER_DATABASE : nullptr))
            return 1;
    return 0;
}
