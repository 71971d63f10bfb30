// The vessel state the program and the acquisition module share.
#include "recording/VesselState.h"

#include <algorithm>
#include <iterator>

extern "C" {
int32_t vessellatitude = 0;
int32_t vessellongitude = 0;
float heading = -1.0f;
float rTrueHeading = NO_ANGLE;
double SPEEDOFSOUND = 1480.0;
double rMinVesselKnots = 0.0;
double rMaxVesselKnots = -1.0;
int32_t savingjuststarted = 0;
}

TrackPoint lastSlotPoints[BEAM_SLOTS] = {};

void ResetVesselState()
{
    vessellatitude = vessellongitude = 0;
    heading = -1.0f;
    rTrueHeading = NO_ANGLE;
    SPEEDOFSOUND = 1480.0;
    rMinVesselKnots = 0.0;
    rMaxVesselKnots = -1.0;
    savingjuststarted = 0;
    std::fill(std::begin(lastSlotPoints), std::end(lastSlotPoints), TrackPoint{});
}
