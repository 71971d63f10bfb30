// Polling the acquisition module for readings on the chart timer, and noting which beam slots
// have a fresh reading to draw.
#include "recording/ModuleBinding.h"
#include "recording/RecordingControl.h"
#include "recording/VesselState.h"


bool lastSlotFresh[BEAM_SLOTS] = {};

uint32_t PollTrackData(HWND window, SwathReading* reading)
{
    // A message box inside GetTrackData runs the event loop, which may tick the chart again.
    static bool polling = false;
    if (polling || !hSwath.GetTrackData)
        return 0;
    polling = true;
    uint32_t flags = hSwath.GetTrackData(reading);
    if (flags & 2) {
        int slot = BeamSlot(reading->transducer);
        TrackPoint point = TrackPointOf(*reading);
        if (!(flags & 1)) {
            point.lat = NO_POSITION_LAT;
            point.lon = NO_POSITION_LONG;
        }
        lastSlotPoints[slot] = point;
        lastSlotFresh[slot] = true;
    }
    if ((flags & 1) && hSwath.OutputData)
        hSwath.OutputData(window, reading);
    polling = false;
    return flags;
}
