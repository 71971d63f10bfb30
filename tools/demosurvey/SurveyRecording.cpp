#include "SurveyRecording.h"

#include "database/CurrentTrack.h"
#include "recording/RecordingControl.h"
#include "recording/SwathGeometry.h"

#include <algorithm>

namespace {

bool SetSaving(int32_t on)
{
    globaltrackstatus.field[TS_SAVING] = on;
    return DBSaveTrackStatus(&globaltrackstatus) == 1;
}

// The hand-off's steps for one recorded reading: the slot's rectangle (all rectangles start
// empty with the first reading of a recording), its record, the point and its time.
bool RecordReading(const SwathReading& reading, BoxFile& box, bool first)
{
    SwathReading copy = reading;
    CalculateSwathPosition(&copy);
    ClassifyReading(&box, &copy);
    const int slot = BeamSlot(copy.transducer);
    TrackInfo& info = globalcurrenttrackinfos[slot];
    if (first)
        for (TrackInfo& each : globalcurrenttrackinfos)
            SetEmptyRect(each);
    ExtendRect(info, copy.lon, copy.lat);
    info.slot = slot;
    TrackPoint point = TrackPointOf(copy);
    CurrentTrackBlock points{&point, 1, 0, uint32_t(slot)};
    uint32_t time = uint32_t(copy.time);
    TimeBlock times{&time, 1, uint32_t(slot)};
    return DBSaveCurrentTrackInfo(&info) == 1 && DBAddPointsToCurrentTrack(&points) == 1 &&
           DBAddTimesToCurrentTrack(&times) == 1;
}

} // namespace

bool RecordSurveyLine(const std::vector<SwathReading>& readings, BoxFile& box)
{
    if (!SetSaving(1))
        return false;
    for (size_t i = 0; i < readings.size(); ++i)
        if (!RecordReading(readings[i], box, i == 0))
            return false;
    return StoreCurrentTrack(nullptr) && SetSaving(0);
}
