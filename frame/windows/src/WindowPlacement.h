// Placing the windows that keep to the screen's bottom lines inside the chart window.
#pragma once

#include "platform/windef.h"

// The y in the chart window's client area of a y on the screen.
int ChartClientY(HWND chartWindow, int screenY);
// Moves a child window down by dy (up when negative), keeping its x and size.
void MoveChildDown(HWND child, int dy);
// Fits the chart's button bar between the top of the chart window and the bottom lines.
void PlaceChartButtonBar();
