// The hand-off of readings to the main program: GetTrackData, the save-rate gate and the
// speed window.
#pragma once

#include "records/TrackRecords.h"

#include <atomic>
#include <cstdint>

extern "C" uint32_t GetTrackData(SwathReading* reading);

// Each tick of the module's timer thread: opens every slot's gate once the save rate allows.
void OpenSaveRateGate();
// Run at every speed update: inhibits recording outside the speed window.
void ApplySpeedInhibit();

extern std::atomic<bool> slotReady[BEAM_SLOTS];
extern std::atomic<bool> fRecordingInhibited;
