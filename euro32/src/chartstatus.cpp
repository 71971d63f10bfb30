#include "chartstatus.h"

#include "chartview.h"
#include "engine.h"
#include "windows.h"

#include <QMdiSubWindow>

#include <cstdio>
#include <string>
#include <vector>

namespace euro32 {

namespace {

constexpr const char* kStatus = "STATUS";

struct SavedWindow {
    std::string chart;
    GeoBox area;
};

std::vector<SavedWindow> pending;
size_t nextPending = 0;

std::string key(const char* stem, size_t i)
{
    return stem + std::to_string(i + 1);
}

} // namespace

bool saveChartStatus()
{
    const Engine& e = engine();
    const std::vector<ChartView*> views = chartViews();
    writeChartIni(kStatus, "Count", std::to_string(views.size()));
    writeChartIni(kStatus, "Scheme", std::to_string(static_cast<int>(e.scheme)));
    writeChartIni(kStatus, "Blank", e.blank ? "1" : "0");
    for (size_t i = 0; i < views.size(); ++i) {
        ChartView* v = views[i];
        const int selected = v->selectedChart();
        writeChartIni(kStatus, key("Chart", i).c_str(),
                      selected >= 0 && selected < static_cast<int>(e.charts.size())
                          ? e.charts[selected]->name : "");
        const GeoBox a = viewArea(v->view());
        char text[96];
        std::snprintf(text, sizeof text, "%d,%d,%d,%d", toUnits(wrapLongitude(a.west)),
                      toUnits(a.north), toUnits(wrapLongitude(a.east)), toUnits(a.south));
        writeChartIni(kStatus, key("Area", i).c_str(), text);
    }
    return true;
}

bool statusSaved()
{
    return std::atoi(readChartIni(kStatus, "Count", "0").c_str()) > 0;
}

int beginRestore()
{
    pending.clear();
    nextPending = 0;
    const int count = std::atoi(readChartIni(kStatus, "Count", "0").c_str());
    for (int i = 0; i < count; ++i) {
        SavedWindow w;
        w.chart = readChartIni(kStatus, key("Chart", i).c_str(), "");
        int32_t west, north, east, south;
        const std::string area = readChartIni(kStatus, key("Area", i).c_str(), "");
        if (std::sscanf(area.c_str(), "%d,%d,%d,%d", &west, &north, &east, &south) != 4)
            continue; // a damaged entry is skipped, the others still open
        w.area = {fromUnits(west), fromUnits(south), fromUnits(east), fromUnits(north)};
        pending.push_back(w);
    }
    const int scheme = std::atoi(readChartIni(kStatus, "Scheme", "0").c_str());
    applyScheme(scheme == 1 ? Scheme::Dusk : scheme == 2 ? Scheme::Night : Scheme::Day);
    engine().blank = readChartIni(kStatus, "Blank", "0") == "1";
    return static_cast<int>(pending.size());
}

bool restoreNext()
{
    if (nextPending >= pending.size())
        return false;
    const SavedWindow& w = pending[nextPending++];
    ChartView* v = openChartWindow(0, 0, 0, 0);
    if (!v)
        return false;
    v->selectChart(chartIndex(w.chart), false);
    showArea(v->view(), w.area);
    return true;
}

void finishRestore()
{
    pending.clear();
    nextPending = 0;
}

} // namespace euro32
