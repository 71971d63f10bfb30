// While a drawing or enquiry mode runs, three windows take the bottom lines of the screen: the
// status window, the action window and the mode's control bar.
#pragma once

#include "platform/windef.h"

// Null while no mode runs (the status window also when it could not be made); the mode bar is
// no longer a window (IsWindow) once the chart window is gone.
extern HWND hwndStatusWnd;
extern HWND hwndActionWnd;
extern HWND hwndModeBar;

// Shows the mode windows with control bar modeBarId on the bottom line; false (nothing shown)
// for an unknown bar or chart window. A status window that cannot be made only beeps.
bool EnterModeWindows(HWND chartWindow, int modeBarId);
void LeaveModeWindows(HWND chartWindow);
bool ModeWindowsShown();
void SetModeStatusText(const char* text);
void SetModeActionText(const char* text);
