// The measuring tool's state: switching, the drag on the chart and its line, and the placing and
// swapping of the two result windows beside the start point.
#include "chart/MeasureTool.h"

#include "MeasureResults.h"

#include "chart/ChartHooks.h"
#include "frame/ChartLayout.h"
#include "frame/SedrixToolbar.h"
#include "platform/winuser.h"

#include <QPainter>

#include <algorithm>
#include <array>

namespace {

struct MeasureState {
    bool on = false;
    bool dragging = false;
    HWND chartWindow = nullptr;
    POINT start{};
    POINT last{};
    std::array<HWND, 2> results{};
    std::array<RECT, 2> places{};
    int shown = 0;
    bool savedAutoScroll = false;
};
MeasureState tool;
bool* chartAutoScroll = nullptr;

constexpr int LINE_WIDTH = 5;
constexpr int RESULT_GAP = 12;

// Painted over the chart at every paint; inverting keeps the line visible on any chart colour.
void paintMeasureLine(QPainter& painter)
{
    if (!tool.dragging)
        return;
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.setPen(QPen(Qt::white, LINE_WIDTH, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPoint(tool.start.x, tool.start.y), QPoint(tool.last.x, tool.last.y));
    painter.restore();
}

void invalidateLine(POINT to)
{
    const int margin = LINE_WIDTH;
    RECT r{std::min(tool.start.x, to.x) - margin, std::min(tool.start.y, to.y) - margin,
           std::max(tool.start.x, to.x) + margin + 1, std::max(tool.start.y, to.y) + margin + 1};
    InvalidateRect(tool.chartWindow, &r, FALSE);
}

// The chart window's area in its parent's client coordinates, where the result windows live.
RECT chartArea(HWND chartWindow)
{
    RECT chart{}, parent{};
    GetWindowRect(chartWindow, &chart);
    GetWindowRect(GetParent(chartWindow), &parent);
    return RECT{chart.left - parent.left, chart.top - parent.top, chart.right - parent.left, chart.bottom - parent.top};
}

bool fits(const RECT& r, const RECT& area)
{
    return r.left >= area.left && r.top >= area.top && r.right <= area.right && r.bottom <= area.bottom;
}

RECT clampedInto(RECT r, const RECT& area)
{
    const int dx = r.right > area.right ? area.right - r.right : (r.left < area.left ? area.left - r.left : 0);
    const int dy = r.bottom > area.bottom ? area.bottom - r.bottom : (r.top < area.top ? area.top - r.top : 0);
    return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

// Two windows on opposite sides of the start: diagonally where both fit, else side by side or
// one above the other, else the best pair pushed onto the chart.
std::array<RECT, 2> resultPlaces(POINT at, const RECT& area)
{
    const int w = MEASURE_RESULT_WIDTH, h = MeasureResultHeight();
    const int right = at.x + RESULT_GAP, left = at.x - RESULT_GAP - w;
    const int below = at.y + RESULT_GAP, above = at.y - RESULT_GAP - h;
    const RECT lowerRight{right, below, right + w, below + h}, upperLeft{left, above, left + w, above + h};
    const RECT upperRight{right, above, right + w, above + h}, lowerLeft{left, below, left + w, below + h};
    const std::array<std::array<RECT, 2>, 6> pairs{{{lowerRight, upperLeft},
                                                    {upperRight, lowerLeft},
                                                    {lowerRight, lowerLeft},
                                                    {upperRight, upperLeft},
                                                    {lowerRight, upperRight},
                                                    {lowerLeft, upperLeft}}};
    const auto score = [&](const std::array<RECT, 2>& p) { return int(fits(p[0], area)) + int(fits(p[1], area)); };
    const auto best = std::max_element(pairs.begin(), pairs.end(),
                                       [&](const auto& a, const auto& b) { return score(a) < score(b); });
    return {clampedInto((*best)[0], area), clampedInto((*best)[1], area)};
}

// -1, 0 or 1: the side of the start point a window lies on along one axis.
int sideOf(int from, int low, int high)
{
    const int centre = (low + high) / 2;
    return centre > from ? 1 : (centre < from ? -1 : 0);
}

// The pointer heads into the shown window's quadrant, and the other window lies elsewhere.
bool lineRunsOverShown(POINT to)
{
    // Both the places and the start are in the chart's parent's client coordinates.
    const RECT area = chartArea(tool.chartWindow);
    const POINT from{area.left + tool.start.x, area.top + tool.start.y};
    auto sides = [&](const RECT& r) {
        return std::pair{sideOf(from.x, r.left, r.right), sideOf(from.y, r.top, r.bottom)};
    };
    const auto shown = sides(tool.places[tool.shown]);
    const int dx = to.x > tool.start.x ? 1 : (to.x < tool.start.x ? -1 : 0);
    const int dy = to.y > tool.start.y ? 1 : (to.y < tool.start.y ? -1 : 0);
    return shown != sides(tool.places[1 - tool.shown]) && shown.first == dx && shown.second == dy;
}

void sendToResults(bool fromStart, POINT at)
{
    for (HWND window : tool.results)
        SendMessageA(window, WM_MEASURE_POSITION, fromStart ? 0 : 1, MAKELPARAM(at.x, at.y));
}

void startDrag(HWND chartWindow, POINT at)
{
    if (tool.dragging)
        return;
    tool.chartWindow = chartWindow;
    tool.dragging = true;
    tool.start = tool.last = at;
    invalidateLine(at);
    const RECT area = chartArea(chartWindow);
    tool.places = resultPlaces(POINT{area.left + at.x, area.top + at.y}, area);
    for (int i = 0; i < 2; ++i)
        tool.results[i] = CreateMeasureResultWindow(GetParent(chartWindow), tool.places[i]);
    sendToResults(true, at);
    tool.shown = 0;
    ShowWindow(tool.results[0], SW_SHOWNA);
}

void moveDrag(POINT at)
{
    if (!tool.dragging)
        return;
    invalidateLine(tool.last);
    if (lineRunsOverShown(at)) {
        ShowWindow(tool.results[tool.shown], SW_HIDE);
        tool.shown = 1 - tool.shown;
        ShowWindow(tool.results[tool.shown], SW_SHOWNA);
    }
    tool.last = at;
    invalidateLine(at);
    sendToResults(false, at);
}

void endDrag()
{
    if (!tool.dragging)
        return;
    invalidateLine(tool.last);
    tool.dragging = false;
    for (HWND& window : tool.results) {
        if (IsWindow(window))
            DestroyWindow(window);
        window = nullptr;
    }
}

bool measureMouse(HWND chartWindow, UINT message, POINT at)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        startDrag(chartWindow, at);
        return true;
    case WM_MOUSEMOVE:
        moveDrag(at);
        return true;
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
        endDrag();
        return true;
    case WM_RBUTTONUP:
        return true; // the right button cancels a drag; it does not redraw the chart
    default:
        return false;
    }
}

void postToToolbar(UINT message, WPARAM command, LPARAM state)
{
    if (hwndPositionStrip && hwndSedrixToolbar)
        PostMessageA(hwndSedrixToolbar, message, command, state);
}

void switchOn(HWND chartWindow)
{
    const bool autoScroll = chartAutoScroll && *chartAutoScroll;
    if (!autoScroll)
        postToToolbar(WM_TOOLBAR_CHECK, IDM_MEASURE_TOOL, 0);
    postToToolbar(WM_TOOLBAR_ENABLE, IDM_TIDAL_ATLAS, 1);
    // The chart must not scroll away under the line.
    tool.savedAutoScroll = autoScroll;
    if (chartAutoScroll)
        *chartAutoScroll = false;
    tool.chartWindow = chartWindow;
    tool.on = true;
    AddChartMarkerPainter(paintMeasureLine);
    SetChartMouseHandler(measureMouse);
}

void switchOff(HWND chartWindow)
{
    postToToolbar(WM_TOOLBAR_ENABLE, IDM_TIDAL_ATLAS, 0);
    if (tool.savedAutoScroll && chartAutoScroll)
        *chartAutoScroll = true;
    postToToolbar(WM_TOOLBAR_CHECK, IDM_MEASURE_TOOL, 1);
    endDrag();
    if (CurrentChartMouseHandler() == measureMouse)
        SetChartMouseHandler(nullptr);
    RemoveChartMarkerPainter(paintMeasureLine);
    tool.on = false;
    UpdateWindow(chartWindow);
}

} // namespace

void MeasureSwitch(HWND chartWindow)
{
    if (tool.on)
        switchOff(chartWindow);
    else
        switchOn(chartWindow);
}

bool MeasureToolOn()
{
    return tool.on;
}

void BindMeasureAutoScroll(bool* autoScroll)
{
    chartAutoScroll = autoScroll;
}
