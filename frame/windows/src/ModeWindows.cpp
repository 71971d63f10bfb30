#include "frame/ModeWindows.h"

#include "ControlBarWindow.h"
#include "TextStrip.h"
#include "WindowPlacement.h"

#include "frame/SedrixToolbar.h"
#include "frame/WindowLayout.h"
#include "platform/messages.h"
#include "platform/winuser.h"

HWND hwndStatusWnd = nullptr;
HWND hwndActionWnd = nullptr;
HWND hwndModeBar = nullptr;

namespace {

void destroyModeWindows()
{
    for (HWND* window : {&hwndStatusWnd, &hwndActionWnd, &hwndModeBar}) {
        if (IsWindow(*window))
            DestroyWindow(*window);
        *window = nullptr;
    }
}

LRESULT CALLBACK_ModeStripProc(HWND strip, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Destroyed with the chart window, too.
    if (message == WM_DESTROY) {
        if (strip == hwndStatusWnd)
            hwndStatusWnd = nullptr;
        if (strip == hwndActionWnd)
            hwndActionWnd = nullptr;
    }
    return DefWindowProcA(strip, message, wParam, lParam);
}

HWND bottomStrip(const char* className, HWND chartWindow, int line)
{
    const ScreenMetrics& m = screenMetrics;
    const int y = ChartClientY(chartWindow, m.H - line * m.L);
    return CreateTextStrip(className, "", chartWindow, RECT{0, y, m.W, y + m.L}, false,
                           CALLBACK_ModeStripProc);
}

} // namespace

bool EnterModeWindows(HWND chartWindow, int modeBarId)
{
    if (!IsWindow(chartWindow) || !IsControlBarId(modeBarId))
        return false;
    // A mode started over another replaces its windows.
    destroyModeWindows();
    hwndStatusWnd = bottomStrip("StatusWnd", chartWindow, 3);
    if (!hwndStatusWnd)
        MessageBeep(MB_OK);
    hwndActionWnd = bottomStrip("ActionWnd", chartWindow, 2);
    hwndModeBar = CreateControlBarWindow(modeBarId, chartWindow, screenMetrics.H - screenMetrics.L);
    PostMessageA(hwndSedrixToolbar, WM_TOOLBAR_CHECK, IDM_TIDAL_ATLAS, 0);
    PostMessageA(hwndSedrixToolbar, WM_TOOLBAR_CHECK, IDM_QUERY_INFO, 0);
    PlaceChartButtonBar();
    return true;
}

void LeaveModeWindows(HWND)
{
    destroyModeWindows();
    PlaceChartButtonBar();
    PostMessageA(hwndSedrixToolbar, WM_TOOLBAR_CHECK, IDM_QUERY_INFO, 1);
    PostMessageA(hwndSedrixToolbar, WM_TOOLBAR_CHECK, IDM_TIDAL_ATLAS, 1);
}

bool ModeWindowsShown() { return IsWindow(hwndActionWnd) || IsWindow(hwndModeBar); }

void SetModeStatusText(const char* text)
{
    if (IsWindow(hwndStatusWnd))
        SetWindowTextA(hwndStatusWnd, text);
}

void SetModeActionText(const char* text)
{
    if (IsWindow(hwndActionWnd))
        SetWindowTextA(hwndActionWnd, text);
}
