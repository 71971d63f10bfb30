#include "frame/ChartButtonBar.h"

#include "WindowPlacement.h"

#include "frame/ChartLayout.h"
#include "frame/WindowLayout.h"
#include "platform/winuser.h"

#include <algorithm>
#include <array>

HWND hwndChartButtonBar = nullptr;

namespace {

constexpr int RULER_IMAGE = 1;

constexpr std::array<ButtonBarEntry, CHART_BUTTON_COUNT> chartButtons{{
    {"Data Base", "Select Data Base to display", 0, 0},
    {"Save", "Turn Saving on or off", 0, 0},
    {"Auto Save", "Enable Auto Save and set max and min speed", 0, 0},
    {"Trk??", "Select/Delete tracks", 0, 0},
    {"Track Options", nullptr, 0, 0},
    {"Box1", "Select Sedrix Boxfile 1", 0, 0},
    {"Box2", "Select Sedrix Boxfile 2", 0, 0},
    {"Scroll", "Select AutoScroll or Centre on Ship", 0, 0},
    {"Meas", "Measure between points on chart", BB_BITMAP, RULER_IMAGE},
    {"Depth", "Depth Profile display", 0, 0},
    {"Sedrix Square display", nullptr, 0, 0},
    {"5k", "1:5,000 scale", 0, 0},
    {"10k", "1:10,000 scale", 0, 0},
    {"25k", "1:25,000 scale", 0, 0},
    {"50k", "1:50,000 scale", 0, 0},
    {"100k", "1:100,000 scale", 0, 0},
}};

constexpr std::array<int, 5> scales{5000, 10000, 25000, 50000, 100000};

// Wide enough for a short word of a label; the labels of more words wrap.
int barWidth() { return std::max(8 * screenMetrics.unit, 60); }

} // namespace

void PlaceChartButtonBar()
{
    HWND chart = GetParent(hwndChartButtonBar);
    RECT client{};
    if (!IsWindow(hwndChartButtonBar) || !GetClientRect(chart, &client))
        return;
    const ScreenMetrics& m = screenMetrics;
    const int bottom = ChartClientY(chart, m.H - ChartBottomLines() * m.L);
    const int width = barWidth();
    MoveWindow(hwndChartButtonBar, client.right - width, 0, width, std::max(bottom, 0), TRUE);
}

HWND CreateChartButtonBar(HWND chartWindow, ButtonBarCallback callback)
{
    hwndChartButtonBar = CreateButtonBar(chartWindow, chartButtons.data(), CHART_BUTTON_COUNT,
                                         BUTTONBAR_VERTICAL, callback, RECT{0, 0, 0, 0});
    PlaceChartButtonBar();
    return hwndChartButtonBar;
}

int ChartButtonScale(int button)
{
    return button >= CB_SCALE5K && button <= CB_SCALE100K ? scales[size_t(button - CB_SCALE5K)] : 0;
}

void SelectScaleButton(HWND bar, int denominator)
{
    for (int button = CB_SCALE5K; button <= CB_SCALE100K; ++button)
        CheckButtonBarButton(bar, button, ChartButtonScale(button) == denominator && denominator);
}
