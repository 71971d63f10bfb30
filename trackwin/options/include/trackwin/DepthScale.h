// The Depth Scale window ("DepthColourWnd"): the twelve depth bands of colouring by depth, their
// top and interval stepped with two scroll bars and kept with OK or Apply.
#pragma once

#include "platform/windef.h"

// The chart window calls it on WM_DEPTH_COLOURS; a second call leaves the open window as it is.
void ShowDepthScaleWindow(HWND chartWindow);
// The chart window's answer to WM_TOOLWINDOW_CLOSED with DEPTHCOLOURWND (150).
void CloseDepthScaleWindow();

enum DepthScaleControl {
    IDC_DEPTH_OK = 1,
    IDC_DEPTH_CANCEL = 2,
    IDC_DEPTH_APPLY = 3,
    IDC_DEPTH_BAND_FIRST = 4, // the labels of bands 0..11
    IDC_DEPTH_BAND_LAST = 15,
    IDC_DEPTH_TOP_SCROLL = 16,
    IDC_DEPTH_INTERVAL_SCROLL = 17,
};
