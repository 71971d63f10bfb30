// The range-and-bearing measuring tool: a line dragged on the chart from a start point, with
// the position under the pointer, the range and the bearing shown in two small windows beside
// the start point.
#pragma once

#include "platform/windef.h"

#include <cstdint>

// Sent to the result windows: wParam 0 for the start pixel, 1 for the pointer pixel; lParam the
// chart window's client pixel (MAKELPARAM).
constexpr UINT WM_MEASURE_POSITION = WM_USER + 280;
constexpr int MEASURE_RESULT_WIDTH = 230;
// The result windows' statics: the position, the range and the bearing.
constexpr int IDC_MEASURE_POSITION = 1;
constexpr int IDC_MEASURE_RANGE = 2;
constexpr int IDC_MEASURE_BEARING = 3;

// Kilometres between two positions (1e-7 degree), one degree taken as 111.111 km; the short
// way round across the 180 degree meridian.
double MeasureRange(int32_t lon1, int32_t lat1, int32_t lon2, int32_t lat2);
// Whole degrees 0..359 from point 1 to point 2 (note the order: point 2 first).
int MeasureBearing(int32_t lon2, int32_t lat2, int32_t lon1, int32_t lat1);
// "%8.4lfkm" or "%8.4lfnm" by measureUnits (0 follows the depth units).
void FormatRange(double km, char text[32]);

// Switches the tool on or off over this chart window.
void MeasureSwitch(HWND chartWindow);
bool MeasureToolOn();

// The tool saves the chart's auto-scroll state when it goes on and restores it when it goes
// off; the chart window hands over its flag here.
void BindMeasureAutoScroll(bool* autoScroll);
