#include "platform/screen.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace win {
namespace {

std::mutex mutex;
std::function<ScreenLayout()> screenProvider;
std::function<bool(HWND, RECT*)> windowRectProvider;

// TIDEVANE_SCREEN=WxH replaces the screens with one of that size, work area included.
bool screenOverride(int& width, int& height)
{
    const char* v = std::getenv("TIDEVANE_SCREEN");
    return v && std::sscanf(v, "%dx%d", &width, &height) == 2 && width > 0 && height > 0;
}

HMONITOR handleOf(size_t index) { return reinterpret_cast<HMONITOR>(index + 1); }

long long overlapArea(const RECT& a, const RECT& b)
{
    long long w = std::min<long long>(a.right, b.right) - std::max<long long>(a.left, b.left);
    long long h = std::min<long long>(a.bottom, b.bottom) - std::max<long long>(a.top, b.top);
    return (w > 0 && h > 0) ? w * h : 0;
}

long long distanceSquared(const RECT& r, const RECT& m)
{
    auto gap = [](long long lo1, long long hi1, long long lo2, long long hi2) {
        if (hi1 < lo2)
            return lo2 - hi1;
        if (hi2 < lo1)
            return lo1 - hi2;
        return 0LL;
    };
    long long dx = gap(r.left, r.right, m.left, m.right);
    long long dy = gap(r.top, r.bottom, m.top, m.bottom);
    return dx * dx + dy * dy;
}

HMONITOR monitorFor(const RECT& rect, DWORD flags)
{
    ScreenLayout layout = currentScreens();
    size_t best = 0;
    long long bestArea = 0;
    for (size_t i = 0; i < layout.monitors.size(); ++i) {
        long long area = overlapArea(rect, layout.monitors[i].area);
        if (area > bestArea) {
            bestArea = area;
            best = i;
        }
    }
    if (bestArea > 0)
        return handleOf(best);
    // A point or empty rectangle inside a monitor still belongs to it.
    for (size_t i = 0; i < layout.monitors.size(); ++i) {
        const RECT& m = layout.monitors[i].area;
        if (rect.left >= m.left && rect.left < m.right && rect.top >= m.top && rect.top < m.bottom)
            return handleOf(i);
    }
    if (flags == MONITOR_DEFAULTTONULL)
        return nullptr;
    if (flags == MONITOR_DEFAULTTOPRIMARY)
        return handleOf(0);
    long long bestDistance = LLONG_MAX;
    for (size_t i = 0; i < layout.monitors.size(); ++i) {
        long long d = distanceSquared(rect, layout.monitors[i].area);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return handleOf(best);
}

} // namespace

void setScreenProvider(std::function<ScreenLayout()> provider)
{
    std::lock_guard lock(mutex);
    screenProvider = std::move(provider);
}

void setWindowRectProvider(std::function<bool(HWND, RECT*)> provider)
{
    std::lock_guard lock(mutex);
    windowRectProvider = std::move(provider);
}

ScreenLayout currentScreens()
{
    ScreenLayout layout;
    {
        std::lock_guard lock(mutex);
        if (screenProvider)
            layout = screenProvider();
    }
    int width = 1024, height = 768;
    if (screenOverride(width, height) || layout.monitors.empty()) {
        RECT r{0, 0, width, height};
        layout.monitors = {Monitor{r, r, true}};
    }
    if (const char* caption = std::getenv("TIDEVANE_CAPTION"); caption && std::atoi(caption) > 0)
        layout.captionHeight = std::atoi(caption);
    return layout;
}

} // namespace win

using win::currentScreens;

int GetSystemMetrics(int index)
{
    win::ScreenLayout layout = currentScreens();
    const RECT primary = layout.monitors.front().area;
    RECT virt = primary;
    for (const auto& m : layout.monitors) {
        virt.left = std::min(virt.left, m.area.left);
        virt.top = std::min(virt.top, m.area.top);
        virt.right = std::max(virt.right, m.area.right);
        virt.bottom = std::max(virt.bottom, m.area.bottom);
    }
    const RECT work = layout.monitors.front().work;
    switch (index) {
    case SM_CXSCREEN: return primary.right - primary.left;
    case SM_CYSCREEN: return primary.bottom - primary.top;
    case SM_CYCAPTION: return layout.captionHeight;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL: return 17;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME:
    case SM_CYFRAME: return 4;
    case SM_CYMENU: return layout.captionHeight - 4;
    case SM_CXFULLSCREEN: return work.right - work.left;
    case SM_CYFULLSCREEN: return work.bottom - work.top - layout.captionHeight;
    case SM_XVIRTUALSCREEN: return virt.left;
    case SM_YVIRTUALSCREEN: return virt.top;
    case SM_CXVIRTUALSCREEN: return virt.right - virt.left;
    case SM_CYVIRTUALSCREEN: return virt.bottom - virt.top;
    case SM_CMONITORS: return int(layout.monitors.size());
    case SM_SAMEDISPLAYFORMAT: return 1;
    default: return 0;
    }
}

HMONITOR MonitorFromRect(const RECT* rect, DWORD flags)
{
    return rect ? win::monitorFor(*rect, flags) : nullptr;
}

HMONITOR MonitorFromPoint(POINT point, DWORD flags)
{
    return win::monitorFor(RECT{point.x, point.y, point.x, point.y}, flags);
}

HMONITOR MonitorFromWindow(HWND window, DWORD flags)
{
    std::function<bool(HWND, RECT*)> provider;
    {
        std::lock_guard lock(win::mutex);
        provider = win::windowRectProvider;
    }
    RECT r{0, 0, 0, 0};
    if (!provider || !provider(window, &r))
        return flags == MONITOR_DEFAULTTONULL ? nullptr : win::handleOf(0);
    return win::monitorFor(r, flags);
}

BOOL GetMonitorInfoA(HMONITOR monitor, MONITORINFO* info)
{
    win::ScreenLayout layout = currentScreens();
    size_t index = reinterpret_cast<uintptr_t>(monitor);
    if (!info || info->cbSize < sizeof(MONITORINFO) || index == 0 || index > layout.monitors.size())
        return FALSE;
    const auto& m = layout.monitors[index - 1];
    info->rcMonitor = m.area;
    info->rcWork = m.work;
    info->dwFlags = m.primary ? MONITORINFOF_PRIMARY : 0;
    return TRUE;
}

BOOL EnumDisplayMonitors(void* hdc, const RECT* clip, MONITORENUMPROC callback, LPARAM data)
{
    if (!callback)
        return FALSE;
    win::ScreenLayout layout = currentScreens();
    for (size_t i = 0; i < layout.monitors.size(); ++i) {
        RECT r = layout.monitors[i].area;
        if (clip && win::overlapArea(r, *clip) == 0)
            continue;
        if (!callback(win::handleOf(i), hdc, &r, data))
            break;
    }
    return TRUE;
}

BOOL SystemParametersInfoA(UINT action, UINT, void* out, UINT)
{
    if (action != SPI_GETWORKAREA || !out)
        return FALSE;
    *static_cast<RECT*>(out) = currentScreens().monitors.front().work;
    return TRUE;
}
