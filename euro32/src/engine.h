// The engine's state for the process: settings, colour scheme, installed charts, base map,
// the program's callbacks and the chart windows' MDI area.
#pragma once

#include "euro32/euro32.h"

#include "chartdata.h"
#include "colours.h"
#include "renderer.h"
#include "settings.h"

#include <QPointer>

#include <memory>
#include <string>
#include <vector>

class QMdiArea;

namespace euro32 {

class ChartView;

struct Callbacks {
    EC_POSITIONCALLBACK position = nullptr;
    EC_USERDRAWCALLBACK userDraw = nullptr;
    EC_RIGHTMOUSECALLBACK rightMouse = nullptr;
    EC_MOUSECHANGECALLBACK mouseChange = nullptr;
    EC_GETPOSITIONCALLBACK getPosition = nullptr;
    std::string option1 = "User option  1";
    std::string option2 = "User option  2";
};

struct Engine {
    bool initialised = false;
    std::string title;
    DisplaySettings settings;
    Scheme scheme = Scheme::Day;
    bool blank = false;
    std::vector<std::shared_ptr<ChartData>> charts; // installed charts, in name order
    std::shared_ptr<ChartData> baseMap;
    std::string lastChart; // the chart a window showed last: a new window shows it again
    Callbacks callbacks;
    HWND parentWindow = nullptr;
    HWND mdiClient = nullptr;
    QPointer<QMdiArea> mdi;
    bool ownsMdi = false;
};

Engine& engine();

inline constexpr const char* kCaption = "Chart Manager";

// Reads every chart in the chart folder; a chart that cannot be read is reported in a message
// and left out, the others are shown.
void loadInstalledCharts();
// Reads one chart file (a host path); reports a failure and returns null.
std::shared_ptr<ChartData> loadChartReporting(const std::string& hostPath);
void loadBaseMap();
int chartIndex(const std::string& name); // -1 when not installed

// What a window draws: the base map and the installed charts, its own chart on top.
Scene sceneFor(int selectedChart, bool catalogue);

// Colour scheme switch, including the darkened system colours of night.
void applyScheme(Scheme scheme);

// The MDI area of the program's MDI client window, or one of the engine's own.
QMdiArea* ensureMdiArea();
void repaintAll();

} // namespace euro32
