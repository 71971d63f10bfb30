// The classification window ("Sedrix Window"): the loaded box as a 32 x 32 grid of class colours
// with the trail of the latest readings, and the box editor it switches into.
#pragma once

#include "platform/windef.h"

// Its controls, by identifier.
constexpr int IDC_SEDRIX_MODE = 1;        // "Edit" / "Normal"
constexpr int IDC_SEDRIX_HIDE = 2;        // normal mode
constexpr int IDC_SEDRIX_GRID = 5;        // "Grid On" / "Grid Off"; the editor's from here on
constexpr int IDC_SEDRIX_SAVE = 6;
constexpr int IDC_SEDRIX_LOAD = 7;
constexpr int IDC_SEDRIX_CANCEL_EDIT = 8;
constexpr int IDC_SEDRIX_FIX_EDIT = 10;
constexpr int IDC_SEDRIX_SCALES = 11;
constexpr int IDC_SEDRIX_ANALYSIS = 12;
constexpr int IDC_SEDRIX_SELECT_TEXT = 13;
constexpr int IDC_SEDRIX_ADD = 14;
constexpr int IDC_SEDRIX_DEL = 15;
constexpr int IDC_SEDRIX_E2MAX = 16; // the box's bounds, both modes
constexpr int IDC_SEDRIX_E2MIN = 17;
constexpr int IDC_SEDRIX_E1MAX = 18;
constexpr int IDC_SEDRIX_E1MIN = 19;
constexpr int IDC_SEDRIX_READING_E1 = 20; // the latest reading, normal mode
constexpr int IDC_SEDRIX_READING_E2 = 21;
constexpr int IDC_SEDRIX_MOUSE_E1 = 22; // under the mouse, the editor
constexpr int IDC_SEDRIX_MOUSE_E2 = 23;

// Creates the window when it does not exist (its widget over the chart window's parent, the
// main window), shows it and stores "Status" "On" under "SedrixWnd". While it exists it is
// hwndSedrixWnd and the box's ownerWindow. "Hide" tells chartWindow WM_TOOLWINDOW_CLOSED
// (SEDRIXWND); the chart window answers with CloseSedrixWindow.
HWND ShowSedrixWindow(HWND chartWindow);
// Leaves the editor first (with its question) when it is open, destroys the window and stores
// "Status" "Off".
void CloseSedrixWindow();
