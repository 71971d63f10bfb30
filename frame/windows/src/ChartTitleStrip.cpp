#include "frame/ChartTitleStrip.h"

#include "TextStrip.h"

#include "frame/ChartLayout.h"
#include "frame/WindowLayout.h"
#include "platform/winuser.h"

namespace {

LRESULT CALLBACK_TitleStripProc(HWND strip, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Destroyed with the main window, too.
    if (message == WM_DESTROY && strip == hwndChartTitleStrip)
        hwndChartTitleStrip = nullptr;
    return DefWindowProcA(strip, message, wParam, lParam);
}

} // namespace

HWND ShowChartTitleStrip(HWND parent, const char* text)
{
    if (IsWindow(hwndChartTitleStrip)) {
        SetWindowTextA(hwndChartTitleStrip, text);
        return hwndChartTitleStrip;
    }
    const ScreenMetrics& m = screenMetrics;
    hwndChartTitleStrip = CreateTextStrip("TitleWnd", text, parent, RECT{0, 0, m.W, m.L}, true,
                                          CALLBACK_TitleStripProc);
    return hwndChartTitleStrip;
}

void SetChartTitleStripText(const char* text)
{
    if (IsWindow(hwndChartTitleStrip))
        SetWindowTextA(hwndChartTitleStrip, text);
}

void HideChartTitleStrip()
{
    if (IsWindow(hwndChartTitleStrip))
        DestroyWindow(hwndChartTitleStrip);
    hwndChartTitleStrip = nullptr;
}
