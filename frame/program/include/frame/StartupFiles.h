// The optional one-value files of "c:\varnel" read once at start-up, and the settings they give.
#pragma once

#include "frame/ProgramSettings.h"

#include <cstdint>

// "heading.ini" and "freq.ini" set the track drawing's headingSetting and sounderFrequency.
extern double offsetValues[2];    // "offset.ini"
// "draft.ini" and "measure.ini" set transducerDraft and measureUnits.
extern char databaseDrive;        // "drive.ini", tested for writing

// Reads every file in order, each failure told once; `hasTrackHeading`/`hasTrackKnots`: the
// module offers them.
void ReadStartupFiles(bool hasTrackHeading, bool hasTrackKnots);
