// The search for the recorded point closest to a click among the stored tracks of the active
// database that meet the chart window's view.
#pragma once

#include "trackwin/TrackpointEnquiry.h"

// Fills `info` with the closest point and returns true; false when there is none (the user has
// been told), leaving `info` alone. Positions become pixels through the engine's chart window.
bool FindClosestTrackPoint(HWND engineWindow, POINT click, SedrixPointInfo& info);
