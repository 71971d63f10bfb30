// What the chart window's bars, buttons and toolbar do.
#pragma once

#include "platform/windef.h"

// The button bar and the toolbar of the chart window, and the control bars it closes.
void CreateChartBars(HWND chartWindow);
void DestroyChartBars();
// Button n (1-based) of control bar `bar`.
LRESULT ChartBarCommand(HWND chartWindow, int bar, int button);
LRESULT ChartToolbarCommand(HWND chartWindow, int commandId);
// The five scale buttons: all unchecked, then the one of this denominator (0: none).
void CheckScaleButton(int denominator);
