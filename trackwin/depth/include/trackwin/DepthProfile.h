// What the depth profile window computes: depths in display units, the moving depth window,
// the dialog's limits and unit changes, the texts, and the seven transducers' history.
#pragma once

#include "frame/ProgramSettings.h"
#include "records/TrackRecords.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

constexpr int DEPTH_BUFFERS = 7;
// A history entry no reading has filled yet: nothing is drawn for it.
constexpr int32_t NO_DEPTH_READING = -2;

// The depths and colour codes of the seven transducers; index 0 is the newest reading.
struct DepthHistory {
    std::array<std::vector<float>, DEPTH_BUFFERS> depth;
    std::array<std::vector<int32_t>, DEPTH_BUFFERS> colour;

    // Throws std::bad_alloc when the buffers cannot be had.
    void allocate(int length);
    // Slot 0 moves every entry of every buffer one place older.
    void age();
    void convert(double factor);
    int length() const { return int(depth[0].size()); }
};

// The history buffer of a beam slot: the centre first, then the port side, then starboard;
// -1 for slot 4, which belongs to no transducer.
int DepthBufferOfSlot(int slot);
// The reading's depth below the draft in display units; never negative.
float DisplayDepth(float depth, double draft, int units);
// Moves the depth window by half its range on the second consecutive depth outside it, never
// above 0. True when it moved.
bool AutoscaleDepthWindow(DepthDisplaySettings& settings, bool& scrollPending, float depth);

// The dialog's arrows, one display unit a step: the range stays at least 10 and the bottom at
// most 999.
void StepDepthTop(DepthDisplaySettings& settings, bool up);
void StepDepthBottom(DepthDisplaySettings& settings, bool up);
void StepDepthRange(DepthDisplaySettings& settings, bool up);
// The factor from one unit to another (0 metres, 1 feet, 2 fathoms).
double DepthUnitFactor(int from, int to);
// Converts the limits to whole numbers of the new unit and sets its code and text.
void ConvertDepthSettings(DepthDisplaySettings& settings, int units);

// "Depth %5.1f %s" while the centre depth is below 100, else "Depth %4d %s".
std::string DepthText(float depth, float centreDepth, const char* unitText);
// The seabed type of the reading's E1/E2 in the loaded box; "<Ext>" outside its grid.
std::string SeabedText(const TrackPoint& point);
