// The C interface over the engine.
#include "euro32/euro32.h"
#include "euro32/euro32qt.h"

#include "actions.h"
#include "chartstatus.h"
#include "chartview.h"
#include "engine.h"
#include "windows.h"

#include "platform/files.h"
#include "platform/messages.h"

#include <QMdiArea>

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

using namespace euro32;

namespace {
constexpr int kMajor = 1;
constexpr int kMinor = 42;
constexpr int kBuild = 6001;
} // namespace

extern "C" {

int EC_getDllVersion(int* major, int* minor, int* version, int* build)
{
    if (major)
        *major = kMajor;
    if (minor)
        *minor = kMinor;
    if (version)
        *version = kMajor * 1000 + kMinor;
    if (build)
        *build = kBuild;
    return 1;
}

int EC_initChartingSystem(int, int, HWND, int, const char* title, int, int)
{
    Engine& e = engine();
    if (e.initialised)
        return 1;
    writeDefaultSettings();
    // The catalogue folder is how the program knows charts can be found.
    if (!win::isDirectory(kCatalogFolder) && win::mkdir(kCatalogFolder) != 0)
        return 0;
    const std::string folder = chartFolder();
    if (!win::isDirectory(folder.c_str()))
        win::mkdir(folder.c_str());
    e.title = title ? title : "";
    e.settings = loadDisplaySettings();
    loadBaseMap();
    loadInstalledCharts();
    e.initialised = true;
    return 1;
}

void EC_ExitChartingSystem(void)
{
    Engine& e = engine();
    for (ChartView* v : chartViews())
        closeChartWindow(v);
    if (e.ownsMdi)
        delete e.mdi.data();
    e.mdi = nullptr;
    e.ownsMdi = false;
    e.charts.clear();
    e.baseMap.reset();
    e.callbacks = {};
    e.mdiClient = nullptr;
    e.parentWindow = nullptr;
    e.blank = false;
    e.lastChart.clear();
    applyScheme(Scheme::Day); // gives the desktop its own colours back
    e.initialised = false;
}

int EC_SetPositionCallback(EC_POSITIONCALLBACK callback)
{
    engine().callbacks.position = callback;
    return 1;
}

int EC_SetUserDrawCallback(EC_USERDRAWCALLBACK callback)
{
    engine().callbacks.userDraw = callback;
    return 1;
}

int EC_SetRightMouseCallback(EC_RIGHTMOUSECALLBACK callback, const char* option1, const char* option2)
{
    Callbacks& cb = engine().callbacks;
    cb.rightMouse = callback;
    cb.option1 = option1 ? option1 : "";
    cb.option2 = option2 ? option2 : "";
    return 1;
}

int EC_SetMouseChangeCallback(EC_MOUSECHANGECALLBACK callback)
{
    engine().callbacks.mouseChange = callback;
    return 1;
}

int EC_SetGetPositionCallback(EC_GETPOSITIONCALLBACK callback)
{
    engine().callbacks.getPosition = callback;
    return 1;
}

// The program's options tune an engine it was written for; ours draws the same either way.
int EC_ChartSetOption(int, int, int)
{
    return 1;
}

int EC_SetParentWindow(HWND mainWindow)
{
    engine().parentWindow = mainWindow;
    return 1;
}

int EC_SetMainWindowScreenId(HWND mdiClient)
{
    Engine& e = engine();
    if (e.ownsMdi && e.mdi && e.mdi->subWindowList().isEmpty()) {
        delete e.mdi.data(); // the program's client takes over from the engine's own
        e.mdi = nullptr;
        e.ownsMdi = false;
    }
    e.mdiClient = mdiClient;
    ensureMdiArea();
    return 1;
}

int EC_UserRequiredRestore(void)
{
    return statusSaved() ? 1 : 0;
}

int EC_restoreChartStatusInit(int)
{
    return beginRestore();
}

int EC_restoreChartStatusNext(int)
{
    return restoreNext() ? 1 : 0;
}

int EC_restoreChartFinished(void)
{
    finishRestore();
    return 1;
}

int EC_saveChartsStatus(int)
{
    return saveChartStatus() ? 1 : 0;
}

HWND EC_CreateChartWindow(int x, int y, int width, int height)
{
    if (!engine().initialised)
        return nullptr;
    ChartView* v = openChartWindow(x, y, width, height);
    return v ? v->handle() : nullptr;
}

intptr_t EC_GetCurentChartHandle(void)
{
    ChartView* v = topChartView();
    return v ? reinterpret_cast<intptr_t>(v->handle()) : 0;
}

int EC_GeosToPixel(int32_t lon, int32_t lat, int* x, int* y, HWND chartWindow)
{
    ViewProjection projection;
    if (!x || !y || !viewProjection(chartWindow, &projection))
        return 0;
    return geosToPixel(projection, lon, lat, x, y) ? 1 : 0;
}

int EC_PixelToGeos(int x, int y, int32_t* lon, int32_t* lat, HWND chartWindow)
{
    ChartView* v = chartView(chartWindow);
    if (!v || !lon || !lat)
        return 0;
    const GeoPoint g = pixelToGeo(v->view(), {static_cast<double>(x), static_cast<double>(y)});
    *lon = toUnits(g.lon);
    *lat = toUnits(g.lat);
    return 1;
}

int EC_GetChartArea(HWND chartWindow, int32_t* west, int32_t* north, int32_t* east, int32_t* south)
{
    ChartView* v = chartView(chartWindow);
    if (!v || !west || !north || !east || !south)
        return 0;
    const GeoBox a = viewArea(v->view());
    if (a.east - a.west >= 360.0) { // the whole earth, more than once
        *west = toUnits(-180.0);
        *east = toUnits(180.0);
    } else {
        *west = toUnits(wrapLongitude(a.west));
        *east = toUnits(a.east > 180.0 ? a.east - 360.0 : a.east);
    }
    *north = toUnits(a.north);
    *south = toUnits(a.south);
    return 1;
}

int EC_ChangeChartArea(HWND chartWindow, int32_t west, int32_t north, int32_t east, int32_t south)
{
    ChartView* v = chartView(chartWindow);
    if (!v || west == east || north == south)
        return 0;
    double w = fromUnits(west);
    double e = fromUnits(east);
    // West beyond east crosses the 180 degree meridian when that keeps the area within half the
    // earth; otherwise the sides came the wrong way round, as from a box dragged leftwards.
    if (w > e && e + 360.0 - w > 180.0)
        std::swap(w, e);
    showArea(v->view(), {w, fromUnits(south), e, fromUnits(north)});
    v->update();
    return 1;
}

int EC_CenterChartAt(int32_t lon, int32_t lat, HWND chartWindow, int redraw, int notify)
{
    ChartView* v = chartView(chartWindow);
    if (!v)
        return 0;
    centreAt(v->view(), {fromUnits(lon), fromUnits(lat)});
    limitScale(v->view());
    if (redraw)
        v->update();
    if (notify && engine().callbacks.position)
        engine().callbacks.position(chartWindow, lon, lat);
    return 1;
}

int EC_ChartZoomFull(void)
{
    ChartView* v = topChartView();
    if (!v)
        return 0;
    v->zoomFull();
    return 1;
}

int EC_oemChart_doAction(int action)
{
    return doAction(action) ? 1 : 0;
}

int EC_ChartManagerUpdateAll(int)
{
    repaintAll();
    return 1;
}

int EC_ChartManagerUpdateChart(HWND chartWindow, int)
{
    ChartView* v = chartView(chartWindow);
    if (!v)
        return 0;
    v->update();
    return 1;
}

void EC_Beep(void)
{
    MessageBeep(MB_OK);
}

} // extern "C"

namespace euro32 {

QMdiArea* mdiArea()
{
    return ensureMdiArea();
}

void useMdiArea(QMdiArea* area)
{
    Engine& e = engine();
    if (e.ownsMdi && e.mdi && e.mdi != area)
        delete e.mdi.data();
    e.mdi = area;
    e.ownsMdi = false;
}

QWidget* chartWidget(HWND chartWindow)
{
    return chartView(chartWindow);
}

QImage captureChart(HWND chartWindow)
{
    ChartView* v = chartView(chartWindow);
    return v ? v->capture() : QImage();
}

bool viewProjection(HWND chartWindow, ViewProjection* projection)
{
    ChartView* v = chartView(chartWindow);
    if (!v)
        return false;
    const View& view = v->view();
    *projection = {view.centreLon, view.centreY, view.degPerPixel, view.width, view.height};
    return true;
}

bool geosToPixel(const ViewProjection& projection, int32_t lon, int32_t lat, int* x, int* y)
{
    const View view{projection.centreLon, projection.centreY, projection.degPerPixel, projection.width,
                    projection.height};
    const PixelPoint p = geoToPixel(view, {fromUnits(lon), fromUnits(lat)});
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || std::fabs(p.x) > 1e9 || std::fabs(p.y) > 1e9)
        return false;
    *x = static_cast<int>(std::lround(p.x));
    *y = static_cast<int>(std::lround(p.y));
    return true;
}

namespace {

// std::lround without the library call: the fraction of a value is exact below 2^52.
long roundHalfAway(double v)
{
    const long whole = static_cast<long>(v);
    const double fraction = v - static_cast<double>(whole);
    if (fraction >= 0.5)
        return whole + 1;
    if (fraction <= -0.5)
        return whole - 1;
    return whole;
}

// The row geosToPixel gives a latitude.
long exactRow(const ViewProjection& p, int32_t lat)
{
    return std::lround(p.height / 2.0 - (mercatorY(fromUnits(lat)) - p.centreY) / p.degPerPixel);
}

} // namespace

ViewPixels::ViewPixels(const ViewProjection& projection) : projection_(projection)
{
    // Rows -1 to height + 1: every position within the window's corners.
    firstRow_ = -1;
    const int lastRow = projection.height + 1;
    constexpr int kMaxSteps = 64;
    for (int row = firstRow_ - 1; row <= lastRow; ++row) {
        // Where the row ends, from the inverse projection, then the exact latitude by stepping.
        const double y = projection.centreY - (row + 0.5 - projection.height / 2.0) * projection.degPerPixel;
        int32_t start = toUnits(latitudeOf(y));
        int steps = 0;
        while (exactRow(projection, start) > row && steps++ < kMaxSteps)
            ++start;
        while (start > INT32_MIN && exactRow(projection, start - 1) <= row && steps++ < kMaxSteps)
            --start;
        if (steps >= kMaxSteps || (!rowStarts_.empty() && start > rowStarts_.back())) {
            rowStarts_.clear(); // no table: every position is projected
            return;
        }
        rowStarts_.push_back(start);
    }
    const double units = double(rowStarts_.front()) - rowStarts_.back();
    rowsPerUnit_ = units > 0 ? (rowStarts_.size() - 1) / units : 0.0;
}

bool ViewPixels::tableRow(int32_t lat, int* row) const
{
    if (rowStarts_.size() < 2 || lat >= rowStarts_.front() || lat < rowStarts_.back())
        return false;
    // rowStarts_[i] <= lat < rowStarts_[i - 1] means row firstRow_ + i - 1.
    const int last = int(rowStarts_.size()) - 1;
    int i = std::clamp(1 + int((double(rowStarts_.front()) - lat) * rowsPerUnit_), 1, last);
    while (i < last && lat < rowStarts_[size_t(i)])
        ++i;
    while (i > 1 && lat >= rowStarts_[size_t(i - 1)])
        --i;
    *row = firstRow_ + i - 1;
    return true;
}

bool ViewPixels::toPixel(int32_t lon, int32_t lat, int* x, int* y) const
{
    int row;
    if (!tableRow(lat, &row))
        return geosToPixel(projection_, lon, lat, x, y);
    // geoToPixel's column, with the wrap skipped where it changes nothing.
    const double around = fromUnits(lon) - projection_.centreLon + 180.0;
    const double dLon = around >= 0.0 && around < 360.0 ? around - 180.0
                                                        : wrapLongitude(fromUnits(lon) - projection_.centreLon);
    const double column = projection_.width / 2.0 + dLon / projection_.degPerPixel;
    if (std::fabs(column) > 1e9)
        return false;
    *x = static_cast<int>(roundHalfAway(column));
    *y = row;
    return true;
}

bool catalogueShown()
{
    for (ChartView* v : chartViews())
        if (v->catalogue())
            return true;
    return false;
}

} // namespace euro32
