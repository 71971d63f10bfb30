// The analysis window ("AnabarWnd"): starts and stops the scatter of the current track's
// readings over the classification grid, and shows the grid cell of each reading.
#pragma once

#include "platform/windef.h"

// While set, the classification window draws readings as crosses and its grid as a scatter of
// the beam-0 ring of the current track.
extern bool bAnalysisRunning;

// Created once, beside the classification window (sedrixWindow), which gets
// WM_SEDRIX_ANALYSIS and WM_TOOLWINDOW_CLOSED (110) from it. The window handles WM_NEW_READING
// (chart/ChartHooks.h) passed on by the classification window: the cell of the box's last
// classification. Null while it does not exist. Showing it again returns the open one.
// Its window is a child of sedrixWindow (destroyed with it); its widget floats over the
// main window. Closing it while an analysis runs stops the analysis.
HWND ShowAnalysisWindow(HWND sedrixWindow);
void CloseAnalysisWindow();
extern HWND hwndAnalysis;

// Button and readout identifiers (WM_COMMAND ids and object names).
constexpr int IDC_ANALYSIS_START = 0;
constexpr int IDC_ANALYSIS_STOP = 1;
constexpr int IDC_ANALYSIS_REFRESH = 2;
constexpr int IDC_ANALYSIS_SCALES = 3;
constexpr int IDC_ANALYSIS_OFF = 4;
constexpr int IDC_ANALYSIS_CELL = 5; // " > %2d,%2d < " or "   <Ext>   "
