// The trackpoint enquiry: a mode of the chart window in which a left click finds the closest
// recorded point of the stored tracks in view, marks it and shows its data in the floating
// "Trackpoint Enquiry" dialog; a right click ends the mode.
#pragma once

#include "platform/windef.h"

#include <cstdint>

// Messages of the mode.
constexpr UINT WM_ENQUIRY_START = WM_USER + 42;    // to the chart window; wParam the mode flags
constexpr UINT WM_MODE_ENDED = WM_USER + 46;       // to the chart window when the mode ends
constexpr WPARAM ENQUIRY_MODE_ID = 15;             // its wParam
constexpr UINT WM_ENQUIRY_REFRESH = WM_USER + 844; // to the dialog; wParam 1: deleted or nothing found
constexpr UINT WM_ENQUIRY_PROBE = WM_USER + 1026;  // answered 0 during the mode

// Mode flags.
constexpr WPARAM ENQUIRY_SELECT_ONLY = 1;   // no "Select" button, "Delete Track" does not delete
constexpr WPARAM ENQUIRY_TRACK_DETAILS = 2; // the caption names track, transducer and point

// The dialog's window class; its title is "Trackpoint Enquiry" or names the found point.
constexpr char SEDRIX_INFO_CLASS[] = "SedrixInfo";

// Controls of the dialog.
enum SedrixInfoControl {
    IDC_INFO_KEEP_TRACK = 4122, // the hidden "Select" check box
    IDC_INFO_LAT = 4266,
    IDC_INFO_LONG = 4267,
    IDC_INFO_E1 = 4268,
    IDC_INFO_E2 = 4269,
    IDC_INFO_DEPTH = 4270,
    IDC_INFO_PLOT = 4272,
    IDC_INFO_SWATCH = 4273,
    IDC_INFO_BOTTOM = 4275,
    IDC_INFO_TIME = 4276,
    IDC_INFO_DATE = 4277,
    IDC_INFO_DELETE = 4324,
    IDC_INFO_SELECT = 4325,
};

// The found point.
struct SedrixPointInfo {
    double e1;
    double e2;
    double depth; // below the transducer: stored depth minus the draft, 0 when negative
    int32_t colour; // negative: an erased point, or nothing found
    int32_t lat;
    int32_t lon;
    int32_t x; // pixel of the chart window
    int32_t y;
    uint32_t handle;
    int32_t index; // 0-based over the whole point file
    char time[20];
    char date[20];
    int32_t transducer;
};
static_assert(sizeof(SedrixPointInfo) == 96);

// Exists while the mode runs.
extern SedrixPointInfo* pSedrixInfo;

// The main bar's "Query", bar 4's "Info", bar 16's "Q" and the toolbar's query button: takes
// over the chart window's procedure and sends it WM_ENQUIRY_START with the flags. The chart
// window hides its tool windows first. Nothing happens while the mode runs already.
void StartTrackpointEnquiry(HWND chartWindow, WPARAM flags);
bool TrackpointEnquiryRunning();
