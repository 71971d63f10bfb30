// The tool windows over the chart: the classification, depth, replay and track windows, the
// trackpoint enquiry and the measuring tool, as the chart window opens, closes and hides them.
#pragma once

#include "platform/windef.h"

// Start-up: the windows left open at the last exit open again; the replay display hooks.
void ReopenToolWindows(HWND chartWindow);
// WM_TOOLWINDOW_CLOSED: the window of this type code closes (lParam: the button that closed it).
LRESULT CloseToolWindow(HWND chartWindow, int windowType, LPARAM lParam);
// Hidden while a mode runs over the chart; shown again when it ends.
void ShowToolWindows(bool show);
// The enquiry mode, once the tool windows are out of the way.
void StartEnquiry(HWND chartWindow);
// Opens a window, or closes it when it is open.
void ToggleSedrixWindow(HWND chartWindow);
void ToggleDepthWindow(HWND chartWindow);
