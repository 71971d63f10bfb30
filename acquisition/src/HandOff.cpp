#include "acquisition/HandOff.h"
#include "acquisition/Navigation.h"
#include "acquisition/SounderLink.h"
#include "classification/BoxFile.h"
#include "database/CurrentTrack.h"
#include "platform/messages.h"
#include "platform/system.h"
#include "recording/SwathGeometry.h"
#include "recording/VesselState.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <string>

// Recording control of the main program: shows whether automatic saving is held back.
extern "C" void AutoSaveIndicate(int on);

std::atomic<bool> slotReady[BEAM_SLOTS];
std::atomic<bool> fRecordingInhibited{false};
std::atomic<int32_t> lastFixLatitude{NO_POSITION_LAT};
void (*adjustTakenReading)(SwathReading* reading) = nullptr;

namespace {

double lastGateOpening = 0.0;
double gateCheck = 0.0;

uint32_t now() { return static_cast<uint32_t>(std::time(nullptr)); }

void widenRectangle(TrackInfo& info, const SwathReading& r)
{
    ExtendRect(info, r.lon, r.lat);
}

// Saving stops at the first reading that cannot be written, with one message rather than one
// per file and reading. The status file still says saving, so the next start-up stores what
// was recorded.
void StopSavingOnWriteFailure(int error)
{
    globaltrackstatus.field[TS_SAVING] = 0;
    AutoSaveIndicate(0);
    std::string text = error == ENOSPC || error == EDQUOT || error == EFBIG
                           ? "The disk is full."
                           : std::string("Recorded data could not be written: ") + std::strerror(error) + ".";
    text += " Recording has stopped. Everything recorded before this is kept and is stored when the "
            "program next starts.";
    MessageBoxA(nullptr, text.c_str(), "Recording stopped", MB_OK | MB_ICONHAND);
}

void record(const SwathReading& reading)
{
    SwathReading copy = reading;
    if (!(copy.heading >= 0.0f && copy.heading <= 360.0f))
        copy.heading = heading;
    CalculateSwathPosition(&copy);
    SetupTrackPointColour(&copy);
    int slot = BeamSlot(copy.transducer);
    slotReady[slot] = false;
    TrackInfo& info = globalcurrenttrackinfos[slot];
    if (savingjuststarted) {
        savingjuststarted = 0;
        for (TrackInfo& each : globalcurrenttrackinfos)
            SetEmptyRect(each);
        info.leftlon = info.rightlon = copy.lon;
        info.bottomlat = info.toplat = copy.lat;
    } else {
        widenRectangle(info, copy);
    }
    info.slot = slot;
    TrackPoint point = TrackPointOf(copy);
    if (int error = RecordCurrentTrackPoint(&info, &point, now()))
        StopSavingOnWriteFailure(error);
}

} // namespace

extern "C" uint32_t GetTrackData(SwathReading* reading)
{
    uint32_t flags = 0;
    if (TakeNavSentences(reading)) {
        reading->time = int32_t(now());
        CompassRecord compass = CurrentCompass(compassRecord);
        reading->heading = compass.heading;
        reading->pitch = compass.pitch;
        reading->roll = compass.roll;
        lastFixLatitude = reading->lat;
        flags |= 1;
    }
    if (TakeSounderReading(reading)) {
        if (adjustTakenReading)
            adjustTakenReading(reading);
        reading->time = int32_t(now());
        flags |= 2;
    } else {
        reading->transducer = 0;
    }
    int slot = BeamSlot(reading->transducer);
    if (globaltrackstatus.field[TS_SAVING] == 0 || !slotReady[slot] || fRecordingInhibited || !(flags & 2))
        return flags;
    // Before the first fix there is nowhere to put a reading.
    if (reading->lat == NO_POSITION_LAT)
        return flags;
    record(*reading);
    return flags;
}

void ResetAcquisitionState()
{
    ResetNavFramer(navFramer);
    ResetSounderFramer(sounderFramer);
    sounderFramer.fReadingReady = false;
    compassRecord = {NO_ANGLE, NO_ANGLE, NO_ANGLE};
    knots = -1.0f;
    for (auto& ready : slotReady)
        ready = false;
    fRecordingInhibited = false;
    lastFixLatitude = NO_POSITION_LAT;
    lastGateOpening = gateCheck = 0.0;
}

void OpenSaveRateGate()
{
    gateCheck = win::clockMs() / 1000.0;
    // The save rate is set on other threads while this one runs.
    int32_t saveRate = std::atomic_ref(globaltrackstatus.field[TS_SAVE_RATE]).load();
    if (saveRate <= gateCheck - lastGateOpening) {
        for (auto& ready : slotReady)
            ready = true;
        lastGateOpening = gateCheck;
    }
}

void ApplySpeedInhibit()
{
    double speed = knots;
    // A negative upper limit switches the speed window off, which lifts any hold it had.
    bool outside = rMaxVesselKnots >= 0 && (speed < rMinVesselKnots || speed > rMaxVesselKnots);
    if (outside) {
        if (globaltrackstatus.field[TS_SAVING] && !fRecordingInhibited) {
            fRecordingInhibited = true;
            OutputDebugStringA("Recording Inhibited\n");
            AutoSaveIndicate(0);
        }
    } else if (fRecordingInhibited) {
        fRecordingInhibited = false;
        OutputDebugStringA("Recording De-inhibited\n");
        AutoSaveIndicate(1);
    }
}
