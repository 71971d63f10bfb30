// The demo chart of the survey area the instrument simulator sails in: land, depth areas and
// contours traced from the shared seabed model, soundings, buoys, a beacon, lights and dangers.
#pragma once

#include "s57cellwriter.h"

#include <string>

namespace chartmaker {

inline constexpr const char* kDemoCellName = "TV5DEMO1.000";

// Builds the demo cell; false with a reason when contouring fails.
bool buildDemoCell(S57CellWriter& cell, std::string* error);

} // namespace chartmaker
