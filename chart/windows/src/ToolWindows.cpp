#include "ToolWindows.h"

#include "chart/ChartHooks.h"
#include "chart/ChartWindow.h"
#include "chart/CurrentTrackRing.h"
#include "chart/TrackDrawing.h"
#include "classification/AnalysisWindow.h"
#include "classification/SedrixWindow.h"
#include "frame/Inifile.h"
#include "frame/WindowLayout.h"
#include "platform/winuser.h"
#include "replay/ReplayFlags.h"
#include "replay/ReplayWindow.h"
#include "trackwin/DepthScale.h"
#include "trackwin/DepthWindow.h"
#include "trackwin/TrackOptions.h"
#include "trackwin/TrackpointEnquiry.h"

namespace {

bool statusOn(const char* section)
{
    int32_t on = 0;
    LoadStatus(&on, section);
    return on == 1;
}

// The replay module reports its jumps from its feeder thread: the display is changed on the GUI
// thread, where the chart window draws it.
void postEraseCurrentTrack()
{
    PostMessageA(hwndChart, WM_CHART_REPLAY_ERASE, 0, 0);
}

void postBreakCurrentTrackLines()
{
    PostMessageA(hwndChart, WM_CHART_REPLAY_BREAK, 0, 0);
}

} // namespace

void ReopenToolWindows(HWND chartWindow)
{
    // Field by field: the replay window sets its own hook.
    replayDisplay.eraseCurrentTrack = postEraseCurrentTrack;
    replayDisplay.breakCurrentTrackLines = postBreakCurrentTrackLines;
    if (statusOn("SedrixWnd"))
        ShowSedrixWindow(chartWindow);
    if (statusOn("DepthWnd"))
        ShowDepthWindow(chartWindow);
    if (statusOn("ReplayWnd"))
        ShowReplayWindow(chartWindow);
}

LRESULT CloseToolWindow(HWND chartWindow, int windowType, LPARAM)
{
    switch (windowType) {
    case SEDRIXWND:
        CloseSedrixWindow();
        break;
    case DEPTHWND:
        CloseDepthWindow();
        break;
    case DEPTHCOLOURWND:
        CloseDepthScaleWindow();
        break;
    case TRACKOPTIONSDLG:
        CloseTrackOptions();
        break;
    default:
        return 0;
    }
    InvalidateRect(chartWindow, nullptr, FALSE);
    return 0;
}

void ShowToolWindows(bool show)
{
    for (HWND window : {hwndSedrixWnd, hwndAnalysis, hwndDepthWnd, hwndReplay})
        if (window && IsWindow(window))
            ShowWindow(window, show ? SW_SHOWNA : SW_HIDE);
}

void StartEnquiry(HWND chartWindow)
{
    if (TrackpointEnquiryRunning())
        return;
    ShowToolWindows(false);
    StartTrackpointEnquiry(chartWindow, ENQUIRY_TRACK_DETAILS);
}

void ToggleSedrixWindow(HWND chartWindow)
{
    if (hwndSedrixWnd && IsWindow(hwndSedrixWnd) && IsWindowVisible(hwndSedrixWnd))
        CloseSedrixWindow();
    else
        ShowSedrixWindow(chartWindow);
}

void ToggleDepthWindow(HWND chartWindow)
{
    if (hwndDepthWnd && IsWindow(hwndDepthWnd) && IsWindowVisible(hwndDepthWnd))
        CloseDepthWindow();
    else
        ShowDepthWindow(chartWindow);
}
