// What the enquiry mode and its dialog share while the mode runs.
#pragma once

#include "platform/winuser.h"

#include <cstdint>

struct EnquiryState {
    HWND chartWindow = nullptr;
    WNDPROC chartProc = nullptr; // the chart window's own procedure, put back at the end
    WPARAM flags = 0;
    int64_t keptTrack = -1; // the track the hidden "Select" box keeps; -1 none
};
extern EnquiryState enquiry;

// The chart window's full redraw from the database.
constexpr UINT WM_CHART_REDRAW = WM_USER + 845;
