// The demo survey's lines and what the instruments say along them.
#pragma once

#include "records/TrackRecords.h"

#include <cstdint>
#include <random>
#include <vector>

// A line run east or west across the demo area, in km from the area's centre.
struct SurveyLine {
    double northKm;
    double startEastKm;
    double endEastKm; // east of the start when the line runs east
};

// `count` parallel lines 100 m apart, from north of the shoal northwards, run east and west in
// turn between the deep water west of the centre and the mainland's shallows.
std::vector<SurveyLine> DemoSurveyLines(int count);

// The readings of a line as the GPS and the swath unit give them: the vessel's position and
// heading, each ping's transducer, slant range and echo values, and its time. The unit scans
// transducers -3 to +3, one ping every 600 ms, from `startTime` (seconds since 1970) on.
std::vector<SwathReading> PingSurveyLine(const SurveyLine& line, uint32_t startTime, std::mt19937& random);

// Seconds the vessel takes to turn onto the next line.
constexpr uint32_t TURN_SECONDS = 120;
