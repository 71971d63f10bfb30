// The toolbar ("SedrixToolbarWnd"): five image buttons and the cursor position. Other windows
// set its buttons by message (WM_TOOLBAR_CHECK of RecordingControl.h for the checked state);
// its commands are posted to its parent as WM_COMMAND with the command id in the low word of
// wParam and the toolbar in lParam.
#pragma once

#include "platform/windef.h"
#include "recording/RecordingControl.h"

constexpr int IDM_PAST_COLOUR = 108;
constexpr int IDM_MEASURE_TOOL = 2;
// IDM_SAVING (40003) of RecordingControl.h
constexpr int IDM_QUERY_INFO = 40004;
constexpr int IDM_TIDAL_ATLAS = 40011;

constexpr UINT WM_TOOLBAR_ENABLE = WM_USER + 2; // wParam command id, lParam enabled
constexpr UINT WM_TOOLBAR_IMAGE = WM_USER + 43; // wParam IDM_PAST_COLOUR, lParam colour choice

// Images of the toolbar strip: colour swatches (0, 5..9), ruler (1), route (2), arcs (3),
// tide (4).
constexpr int TOOLBAR_IMAGE_COUNT = 10;

// The past-track colour choice (0 black, 1 red, 2 green, 3 grey, 4 Sedrix, 5 depth) as the
// colour button's image: 6..9, 0, 5; image 0 for anything else.
int PastColourImage(int colourChoice);

// Creates the toolbar in the top left corner of the parent's client area (the chart window's
// corner, away from the button bar on the right) and sets hwndSedrixToolbar while it exists.
HWND CreateSedrixToolbar(HWND parent);
// The cursor position shown in the toolbar, as latitude and longitude texts.
void SetToolbarCursorPosition(const char* latitude, const char* longitude);
