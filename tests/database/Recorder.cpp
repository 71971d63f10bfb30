// A recording process for the kill test: opens the database in $TIDEVANE_HOME, switches saving
// on and records readings round the seven transducers until it is killed. Prints "READY" once
// recording, then "<run> <n>" after each point append has returned.
#include "database/CurrentTrack.h"
#include "platform/files.h"

#include <cstdio>
#include <algorithm>
#include <cstdlib>

int main(int argc, char** argv)
{
    int run = argc > 1 ? std::atoi(argv[1]) : 0;
    if (!win::PrepareDataRoot() || !DBInitialiseDatabase('C'))
        return 1;
    globaltrackstatus.field[TS_SAVING] = 1;
    if (!DBSaveTrackStatus(&globaltrackstatus))
        return 1;
    for (TrackInfo& info : globalcurrenttrackinfos)
        SetEmptyRect(info);
    std::printf("READY\n");
    std::fflush(stdout);
    const int slots[] = {0, 1, 2, 3, 5, 6, 7};
    for (int n = 0;; ++n) {
        int slot = slots[n % 7];
        TrackPoint point{float(n), 1.f, 2.f, run, n, 3};
        const int32_t lon = n, lat = run;
        TrackInfo& info = globalcurrenttrackinfos[slot];
        info.slot = slot;
        ExtendRect(info, lon, lat);
        DBSaveCurrentTrackInfo(&info);
        CurrentTrackBlock block{&point, 1, 0, uint32_t(slot)};
        if (!DBAddPointsToCurrentTrack(&block))
            return 1;
        std::printf("%d %d\n", run, n);
        std::fflush(stdout);
        uint32_t time = 1700000000u + uint32_t(n);
        TimeBlock times{&time, 1, uint32_t(slot)};
        if (!DBAddTimesToCurrentTrack(&times))
            return 1;
    }
}
