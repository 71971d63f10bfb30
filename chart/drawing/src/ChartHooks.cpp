// The registries of ChartHooks.h: plain lists on the GUI thread.
#include "chart/ChartHooks.h"

#include <algorithm>
#include <vector>

HWND hwndSedrixWnd = nullptr;
HWND hwndDepthWnd = nullptr;

namespace {

std::vector<ChartMarkerPainter>& markerPainters()
{
    static std::vector<ChartMarkerPainter> painters;
    return painters;
}

ChartMouseHandler mouseHandler = nullptr;

} // namespace

void AddChartMarkerPainter(ChartMarkerPainter paint)
{
    auto& painters = markerPainters();
    if (paint && std::find(painters.begin(), painters.end(), paint) == painters.end())
        painters.push_back(paint);
}

void RemoveChartMarkerPainter(ChartMarkerPainter paint)
{
    std::erase(markerPainters(), paint);
}

void PaintChartMarkers(QPainter& painter)
{
    for (ChartMarkerPainter paint : markerPainters())
        paint(painter);
}

void SetChartMouseHandler(ChartMouseHandler handler)
{
    mouseHandler = handler;
}

ChartMouseHandler CurrentChartMouseHandler()
{
    return mouseHandler;
}
