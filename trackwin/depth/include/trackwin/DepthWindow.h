// The depth profile window ("DepthWnd"): the recent depths under the vessel as a scrolling
// profile in the seabed-class colours, with the current depth and seabed type, and its "Depth
// Ranges" dialog for the units, the depth window and autoscale.
#pragma once

#include "platform/windef.h"

// Identifiers of the window's controls.
constexpr int IDC_DEPTH_HIDE = 1;
constexpr int IDC_DEPTH_OPTIONS = 2;
constexpr int IDC_DEPTH_TEXT = 3;
constexpr int IDC_SEABED_TEXT = 4;
// The Depth Ranges dialog's controls.
constexpr int IDC_METRES = 4000;
constexpr int IDC_FEET = 4001;
constexpr int IDC_FATHOMS = 4002;
constexpr int IDC_TOP_VALUE = 4003;
constexpr int IDC_BOTTOM_VALUE = 4004;
constexpr int IDC_TOP_SCROLL = 4005;
constexpr int IDC_BOTTOM_SCROLL = 4006;
constexpr int IDC_RANGE_SCROLL = 4007;
constexpr int IDC_RANGE_VALUE = 4008;
constexpr int IDC_AUTOSCALE = 4009;
// The dialog tells the depth window it has closed: WM_USER + 2 with this wParam.
constexpr WPARAM DEPTH_RANGES_CLOSED = 1000;

// Opens the window over the chart window (or brings it forward) and stores its Status On.
HWND ShowDepthWindow(HWND chartWindow);
// Destroys the window and stores its Status Off; the chart window calls it when the window asks
// to be closed (WM_TOOLWINDOW_CLOSED with DEPTHWND).
void CloseDepthWindow();
