// Screen metrics and monitors. Without a GUI there is one pseudo-screen (1024 x 768 unless
// TIDEVANE_SCREEN=WxH says otherwise); the GUI library installs the real screens.
#pragma once

#include "platform/windef.h"

#include <functional>
#include <vector>

constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXVSCROLL = 2;
constexpr int SM_CYHSCROLL = 3;
constexpr int SM_CYCAPTION = 4;
constexpr int SM_CXBORDER = 5;
constexpr int SM_CYBORDER = 6;
constexpr int SM_CXDLGFRAME = 7;
constexpr int SM_CYDLGFRAME = 8;
constexpr int SM_CYMENU = 15;
constexpr int SM_CXFULLSCREEN = 16;
constexpr int SM_CYFULLSCREEN = 17;
constexpr int SM_CXFRAME = 32;
constexpr int SM_CYFRAME = 33;
constexpr int SM_XVIRTUALSCREEN = 76;
constexpr int SM_YVIRTUALSCREEN = 77;
constexpr int SM_CXVIRTUALSCREEN = 78;
constexpr int SM_CYVIRTUALSCREEN = 79;
constexpr int SM_CMONITORS = 80;
constexpr int SM_SAMEDISPLAYFORMAT = 81;

constexpr DWORD MONITOR_DEFAULTTONULL = 0;
constexpr DWORD MONITOR_DEFAULTTOPRIMARY = 1;
constexpr DWORD MONITOR_DEFAULTTONEAREST = 2;
constexpr DWORD MONITORINFOF_PRIMARY = 1;
constexpr UINT SPI_GETWORKAREA = 0x30;

struct MONITORINFO {
    DWORD cbSize;
    RECT rcMonitor;
    RECT rcWork;
    DWORD dwFlags;
};
static_assert(sizeof(MONITORINFO) == 40);

using MONITORENUMPROC = BOOL (*)(HMONITOR, void* hdc, RECT*, LPARAM);

int GetSystemMetrics(int index);
HMONITOR MonitorFromRect(const RECT* rect, DWORD flags);
HMONITOR MonitorFromPoint(POINT point, DWORD flags);
HMONITOR MonitorFromWindow(HWND window, DWORD flags);
BOOL GetMonitorInfoA(HMONITOR monitor, MONITORINFO* info);
BOOL EnumDisplayMonitors(void* hdc, const RECT* clip, MONITORENUMPROC callback, LPARAM data);
BOOL SystemParametersInfoA(UINT action, UINT param, void* out, UINT winIni);

namespace win {

struct Monitor {
    RECT area;
    RECT work;
    bool primary;
};
struct ScreenLayout {
    std::vector<Monitor> monitors; // the primary first
    int captionHeight = 23;
};
// The GUI library installs a provider of the real screens; TIDEVANE_SCREEN and
// TIDEVANE_CAPTION override whatever it says.
void setScreenProvider(std::function<ScreenLayout()> provider);
ScreenLayout currentScreens();
// Where a window lies, for MonitorFromWindow; the GUI library installs it.
void setWindowRectProvider(std::function<bool(HWND, RECT*)> provider);

} // namespace win
