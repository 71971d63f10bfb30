// The chart title strip: one line across the top of the screen showing the chart's title. It is
// one of the top strips of ChartLayout.h: lay the chart window out again after showing or
// hiding it.
#pragma once

#include "platform/windef.h"

// Shows the strip as a child of the main window (or just sets its text when it is shown).
HWND ShowChartTitleStrip(HWND parent, const char* text);
void SetChartTitleStripText(const char* text);
void HideChartTitleStrip();
