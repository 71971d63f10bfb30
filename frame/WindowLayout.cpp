#include "frame/WindowLayout.h"

#include "frame/Inifile.h"
#include "platform/screen.h"

#include <algorithm>
#include <array>

ScreenMetrics screenMetrics;

namespace {

struct WindowType {
    int code;
    const char* name;
};

constexpr std::array<WindowType, 19> windowTypes{{
    {MAINWND, "MAINWND"},
    {CHARTWND, "CHARTWND"},
    {SEDRIXWND, "SEDRIXWND"},
    {SEDRIXWNDEDIT, "SEDRIXWNDEDIT"},
    {DEPTHWND, "DEPTHWND"},
    {DUALDEPTHWND, "DUALDEPTHWND"},
    {BOTTOMWND, "BOTTOMWND"},
    {HFBOTTOMWND, "HFBOTTOMWND"},
    {MEASUREWND, "MeasureWnd"},
    {SYMBOLWND, "SYMBOLWND"},
    {LAYERSWND, "LAYERSWND"},
    {OVERLAYSWND, "OVERLAYSWND"},
    {POSITIONWND, "POSITIONWND"},
    {TRACKSWND, "TRACKSWND"},
    {ANABARWND, "ANABARWND"},
    {ROUTESWND, "ROUTESWND"},
    {KEYBOARDWND, "KEYBOARDWND"},
    {ACTIVEROUTEWND, "ACTIVEROUTEWND"},
    {DEPTHCOLOURWND, "DEPTHCOLOURWND"},
}};

// The windows with a default place, under the profile section that keeps their position.
struct DefaultRect {
    int code;
    const char* section;
    RECT rect;
};

std::array<DefaultRect, 7> defaultRects{{
    {SEDRIXWND, "SedrixWnd", {}},
    {SEDRIXWNDEDIT, "SedrixWndEdit", {}},
    {DEPTHWND, "DepthWnd", {}},
    {BOTTOMWND, "BottomWnd", {}},
    {SYMBOLWND, "SymbolWnd", {}},
    {LAYERSWND, "LayersWnd", {}},
    {OVERLAYSWND, "OverlaysWnd", {}},
}};

DefaultRect* findDefaultRect(int code)
{
    auto it = std::find_if(defaultRects.begin(), defaultRects.end(),
                           [code](const DefaultRect& d) { return d.code == code; });
    return it == defaultRects.end() ? nullptr : &*it;
}

} // namespace

int ComputeScreenMetrics()
{
    ScreenMetrics& m = screenMetrics;
    m.W = GetSystemMetrics(SM_CXSCREEN);
    m.H = GetSystemMetrics(SM_CYSCREEN);
    m.L = GetSystemMetrics(SM_CYCAPTION) + 2;
    m.unitEdit = std::max(m.W / 80, 10);
    m.unit = m.W / 125;
    // Win32 gives the vertical bar's arrow height as SM_CYVSCROLL; its arrows are square.
    m.cyVScroll = GetSystemMetrics(SM_CXVSCROLL);
    return 1;
}

int ComputeDefaultRects()
{
    const ScreenMetrics& m = screenMetrics;
    // The Sedrix displays are 32 cells square; right and bottom 0: the window sizes itself.
    const RECT sedrix{m.W - 32 * m.unit - 8, m.H - 32 * m.unit - 4 * m.L, 0, 0};
    findDefaultRect(SEDRIXWND)->rect = sedrix;
    findDefaultRect(SEDRIXWNDEDIT)->rect =
        RECT{m.W - 32 * m.unitEdit - 8, m.H - 32 * m.unitEdit - 4 * m.L, 0, 0};
    findDefaultRect(DEPTHWND)->rect =
        RECT{0, 7 * m.H / 8 - 75 - 2 * m.L, m.W / 4 + 100, m.H - 2 * m.L};
    findDefaultRect(BOTTOMWND)->rect = sedrix;
    // These three keep a width and a height in right and bottom.
    findDefaultRect(SYMBOLWND)->rect = RECT{m.W / 2 - 90, m.L, 180, 17 * m.L};
    findDefaultRect(LAYERSWND)->rect = RECT{2, m.L, 200, 12 * m.L};
    findDefaultRect(OVERLAYSWND)->rect = RECT{m.W - 202, m.L, 200, 14 * m.L};
    return 1;
}

int GetDefaultWindowRect(int code, RECT* rect)
{
    const DefaultRect* d = findDefaultRect(code);
    if (!d || !rect)
        return 1;
    *rect = d->rect;
    RECT stored = d->rect;
    SavePosition(&stored, d->section);
    return 1;
}

const char* WindowTypeName(int code)
{
    for (const WindowType& t : windowTypes)
        if (t.code == code)
            return t.name;
    return "Unknown Varnel window type";
}

int LineFontPixels(int lineHeight)
{
    return lineHeight > 17 ? lineHeight - 8 : 9;
}

int ToolWindowFontPixels()
{
    constexpr int LARGEST = 12;
    return std::min(LineFontPixels(screenMetrics.L), LARGEST);
}
