// The hand-off of readings to the main program: GetTrackData, the save-rate gate and the
// speed window.
#pragma once

#include "records/TrackRecords.h"

#include <atomic>
#include <cstdint>

extern "C" uint32_t GetTrackData(SwathReading* reading);

// The module's state between readings as at load: framers, compass, speed, the save-rate gate
// and the speed hold. Each start of the module begins from it; so does each test.
void ResetAcquisitionState();

// Each tick of the module's timer thread: opens every slot's gate once the save rate allows.
void OpenSaveRateGate();
// Run at every speed update: inhibits recording outside the speed window.
void ApplySpeedInhibit();

// Applied to each sounder reading the hand-off takes, before it is returned or recorded: the
// replay module calibrates the replayed echo values with it. Null in the live module.
extern void (*adjustTakenReading)(SwathReading* reading);

// The latitude of the last position fix taken, the no-position value before the first: the
// module's title says whether navigation comes in.
extern std::atomic<int32_t> lastFixLatitude;

extern std::atomic<bool> slotReady[BEAM_SLOTS];
extern std::atomic<bool> fRecordingInhibited;
