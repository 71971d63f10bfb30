// The vessel state the main program shares with the acquisition module, which binds these
// names at load time.
#pragma once

#include "records/TrackRecords.h"

#include <cstdint>
#include <limits>

extern "C" {
extern int32_t vessellatitude;  // 1e-7 degree, written at every position fix
extern int32_t vessellongitude;
extern float heading;           // degrees true, negative while unknown
extern float rTrueHeading;      // true course over ground; the most negative float until set
extern double SPEEDOFSOUND;     // m/s
// Speed window of recording, knots; a negative maximum switches it off.
extern double rMinVesselKnots;
extern double rMaxVesselKnots;
// Set by the main program when saving is switched on; the first recorded reading consumes it.
extern int32_t savingjuststarted;
}

// The vessel state as at start-up, for each test that changes it.
void ResetVesselState();

// The most negative float: no heading, pitch or roll.
constexpr float NO_ANGLE = std::numeric_limits<float>::lowest();

// The newest point of each beam slot, as the chart window keeps them; the raw log reads slot 0.
extern TrackPoint lastSlotPoints[BEAM_SLOTS];
