// The "Trackpoint Enquiry" dialog: the found point's position, echo values with their plot,
// depth, seabed colour and type, time and date; "Select" makes its track the past track and
// "Delete Track" deletes the track.
#pragma once

#include "platform/winuser.h"

// Hidden at first, over the chart window's parent (the main window); null when it cannot be made.
HWND CreateSedrixInfoDialog(HWND chartWindow);
LRESULT SedrixInfoProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void ShowSelectButton(HWND dialog, bool shown);
bool KeepTrackChecked(HWND dialog);
