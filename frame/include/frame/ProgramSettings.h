// Program-wide settings that windows of several subsystems read: the transducer draft, the
// distance units of the measuring tool, and the depth windows' units and limits.
#pragma once

#include <cstdint>

extern double transducerDraft; // metres, from "c:\varnel\draft.ini"
// 1 kilometres, 2 nautical miles, 0 following the depth units; from "c:\varnel\measure.ini".
extern int32_t measureUnits;

// The depth windows' settings: units, autoscale and limits, corrected as they are read.
struct DepthDisplaySettings {
    int16_t units;     // 0 metres, 1 feet, 2 fathoms
    char unitText[4];
    int16_t autoscale;
    float top;
    float bottom;
    float range;
};
extern DepthDisplaySettings depthDisplay;
void LoadDepthDisplaySettings();
