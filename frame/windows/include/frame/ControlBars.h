// The control bars: strips of push buttons along the bottom of the screen, children of the chart
// window, stacked upwards in the order they were opened. A click reaches the chart window as
// WM_CONTROLBAR_COMMAND; what each button does is the chart window's business.
#pragma once

#include "platform/windef.h"

constexpr UINT WM_CONTROLBAR_ENABLE = WM_USER + 40;  // wParam: the mask, lowest bit the last button
constexpr UINT WM_CONTROLBAR_COMMAND = WM_USER + 50; // wParam: bar id, lParam: button 1..n

constexpr int STANDARDBUTTONCOUNT = 10; // no bar has more buttons
constexpr int TWO_BUTTON_BAR = 16;       // "M" and "Q" at the right end of the bottom line

// Opens bar 0, 1, 2, 4, 5 or 16 above the bars already open, after laying the chart window out
// below the top strips; null for any other id.
HWND ShowControls(int barId, HWND owner);
// Closes an open bar; the bars above it move down to close the gap.
void CloseControlBar(HWND bar);

// The open bars, in the order they were opened.
int ControlBarCount();
HWND ControlBarAt(int index);
// The id an open bar was opened with; -1 for a window that is not an open bar.
int ControlBarId(HWND bar);
