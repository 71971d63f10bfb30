// Moves a reading from the vessel position to its seabed point beside the track and reduces
// the slant range to vertical depth.
#pragma once

#include "records/TrackRecords.h"

extern "C" int CalculateSwathPosition(SwathReading* reading);

// Athwartships angle of each beam from the vertical, degrees, by beam slot.
extern double beamAngles[BEAM_SLOTS];
// Reads the table from the profile ("Beam%+d"/"Angle") and writes it back.
void LoadBeamAngles();
