#include "recording/VesselState.h"

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
