// The search for the recorded point closest to a click among the stored tracks of the active
// database that meet the chart window's view.
#pragma once

#include "trackwin/TrackpointEnquiry.h"

// Fills `info` with the closest point and returns true; false when there is none (the user has
// been told), leaving `info` alone. Positions become pixels through the engine's chart window.
bool FindClosestTrackPoint(HWND engineWindow, POINT click, SedrixPointInfo& info);

// The flat-earth distance in kilometres from a click to a point (1e-7 degree), across the 180
// degree meridian where that is shorter.
double PointDistanceKm(int32_t clickLon, int32_t clickLat, double cosClickLat, int32_t lon, int32_t lat);
