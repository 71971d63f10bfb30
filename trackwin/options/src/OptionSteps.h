// What one arrow of a scroll bar does to the value it steps, in the track windows.
#pragma once

#include <cstdint>

// "Save every:": steps of 1 up to 100, then of 10 up to 990.
int32_t StepSaveRate(int32_t value, bool up);
// Pen widths 1..99.
int32_t StepPenWidth(int32_t value, bool up);
// Plot density 1..100 percent.
int32_t StepPlotDensity(int32_t value, bool up);
// Depth Scale: the up arrow raises the scale (a smaller top depth, a finer interval).
float StepDepthTop(float top, bool up);
float StepDepthInterval(float interval, bool up);
// The words after the save rate: "point", "nd point", "rd point", "th point".
const char* SaveRateSuffix(int32_t value);
