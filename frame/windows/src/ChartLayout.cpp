#include "frame/ChartLayout.h"

#include "WindowPlacement.h"

#include "frame/ControlBars.h"
#include "frame/ModeWindows.h"
#include "frame/WindowLayout.h"
#include "platform/winuser.h"

HWND hwndChartTitleStrip = nullptr;
HWND hwndPositionStrip = nullptr;
HWND hwndActiveRouteStrip = nullptr;

namespace {

int screenTop(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return r.top;
}

} // namespace

int TopStripCount()
{
    int count = 0;
    for (HWND strip : {hwndChartTitleStrip, hwndPositionStrip, hwndActiveRouteStrip})
        count += IsWindow(strip) ? 1 : 0;
    return count;
}

int ChartBottomLines() { return ModeWindowsShown() ? 3 : ControlBarCount(); }

int ChartClientY(HWND chartWindow, int screenY) { return screenY - screenTop(chartWindow); }

// The chart window is a child of the full-screen main window, so screen and parent coordinates
// differ only by the parent's origin.
void MoveChildDown(HWND child, int dy)
{
    RECT r{}, parent{};
    if (!GetWindowRect(child, &r) || !GetWindowRect(GetParent(child), &parent))
        return;
    MoveWindow(child, r.left - parent.left, r.top - parent.top + dy, r.right - r.left,
               r.bottom - r.top, TRUE);
}

void LayoutChartBelowTopStrips(HWND chartWindow)
{
    if (!IsWindow(chartWindow))
        return;
    const ScreenMetrics& m = screenMetrics;
    const int top = TopStripCount() * m.L;
    const int before = screenTop(chartWindow);
    MoveWindow(chartWindow, 0, top, m.W, m.H - top, TRUE);
    // The windows of the bottom lines move with the chart window; put them back on their lines.
    if (const int moved = screenTop(chartWindow) - before) {
        for (int i = 0; i < ControlBarCount(); ++i)
            MoveChildDown(ControlBarAt(i), -moved);
        for (HWND window : {hwndStatusWnd, hwndActionWnd, hwndModeBar})
            if (IsWindow(window))
                MoveChildDown(window, -moved);
    }
    PlaceChartButtonBar();
}
