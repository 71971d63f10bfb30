// The optional one-value files of "c:\varnel" read once at start-up, and the settings they give.
#pragma once

#include <cstdint>

// "heading.ini" and "freq.ini" set the track drawing's headingSetting and sounderFrequency.
extern double offsetValues[2];    // "offset.ini"
extern double transducerDraft;    // "draft.ini"
extern int32_t measureUnits;      // "measure.ini"
extern char databaseDrive;        // "drive.ini", tested for writing

// Reads every file in order, each failure told once; `hasTrackHeading`/`hasTrackKnots`: the
// module offers them.
void ReadStartupFiles(bool hasTrackHeading, bool hasTrackKnots);

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
