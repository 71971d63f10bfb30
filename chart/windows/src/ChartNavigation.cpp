// Moving the chart: the scale buttons, centring on the vessel with a look-ahead, the
// auto-scroll decision and the zoom box.
#include "platform/screen.h"
#include "platform/winuser.h"
#include "chart/ChartWindow.h"

#include "ChartCommands.h"

#include "euro32/euro32.h"
#include "frame/ChartTitleStrip.h"
#include "platform/messages.h"
#include "recording/VesselState.h"

#include <algorithm>
#include <cmath>

bool fAutoScroll = false;
double innerBoxFactor = 1.0;

namespace {

constexpr int32_t MAX_LAT = 900000000;
constexpr int32_t MAX_LON = 1800000000;

bool onEarth(int32_t lon, int32_t lat)
{
    return lon >= -MAX_LON && lon <= MAX_LON && lat >= -MAX_LAT && lat <= MAX_LAT;
}

RECT clientOf(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    return client;
}

void afterMove(HWND chartWindow)
{
    PostMessageA(chartWindow, WM_CHART_REFRESH, 0, 0);
    SetChartTitleStripText(szChartTitle);
}

} // namespace

void ChartScaleFactors(double* longitudeFactor, double* latitudeFactor)
{
    *longitudeFactor = GetSystemMetrics(SM_CXSCREEN) * 0.2;
    *latitudeFactor = GetSystemMetrics(SM_CYSCREEN) * 0.2;
}

void SetChartScale(HWND chartWindow, int denominator)
{
    HWND engineWindow = TopEngineChartWindow();
    int32_t west = 0, north = 0, east = 0, south = 0;
    if (!EC_GetChartArea(engineWindow, &west, &north, &east, &south))
        return;
    double lonFactor = 0, latFactor = 0;
    ChartScaleFactors(&lonFactor, &latFactor);
    const int64_t centreLon = int64_t(west) + (int64_t(east) - west) / 2;
    const int64_t centreLat = int64_t(south) + (int64_t(north) - south) / 2;
    const int64_t latSpan = int64_t(latFactor * denominator);
    const int64_t lonSpan = int64_t(lonFactor * denominator);
    EC_ChangeChartArea(engineWindow, int32_t(centreLon - lonSpan / 2), int32_t(centreLat + latSpan / 2),
                       int32_t(centreLon + lonSpan / 2), int32_t(centreLat - latSpan / 2));
    CheckScaleButton(denominator);
    PostMessageA(chartWindow, WM_CHART_REFRESH, 0, 0);
}

void CentreOnShip(HWND chartWindow, int lookAheadPercent)
{
    if (!onEarth(vessellongitude, vessellatitude))
        return;
    HWND engineWindow = TopEngineChartWindow();
    EC_CenterChartAt(vessellongitude, vessellatitude, engineWindow, 1, 1);
    CheckScaleButton(0);
    if (heading >= 0) {
        const RECT client = clientOf(chartWindow);
        const double halfWidth = (client.right - client.left) / 2.0;
        const double halfHeight = (client.bottom - client.top) / 2.0;
        const double radians = heading * M_PI / 180.0;
        const double dx = std::sin(radians), dy = -std::cos(radians);
        // Out to whichever edge the heading meets first.
        const double toEdge = std::min(std::fabs(dx) > 1e-9 ? halfWidth / std::fabs(dx) : HUGE_VAL,
                                       std::fabs(dy) > 1e-9 ? halfHeight / std::fabs(dy) : HUGE_VAL);
        const double share = std::clamp(lookAheadPercent, -100, 100) / 100.0;
        const int x = int(std::lround(halfWidth + dx * toEdge * share));
        const int y = int(std::lround(halfHeight + dy * toEdge * share));
        int32_t lon = 0, lat = 0;
        if (EC_PixelToGeos(x, y, &lon, &lat, engineWindow))
            EC_CenterChartAt(lon, lat, engineWindow, 1, 0);
    }
    afterMove(chartWindow);
}

bool VesselNeedsRecentring(HWND chartWindow)
{
    HWND engineWindow = TopEngineChartWindow();
    if (!engineWindow || !onEarth(vessellongitude, vessellatitude))
        return false; // a vessel nowhere counts as inside
    const RECT client = clientOf(chartWindow);
    int32_t west = 0, north = 0, east = 0, south = 0;
    EC_PixelToGeos(0, 0, &west, &north, engineWindow);
    EC_PixelToGeos(client.right, client.bottom, &east, &south, engineWindow);
    double w = west, e = east;
    if (w > e)
        w -= 3600000000.0;
    double n = north, s = south;
    if (n - s > 45) {
        const double cx = (w + e) / 2, cy = (n + s) / 2;
        w = cx - (cx - w) * innerBoxFactor;
        e = cx + (e - cx) * innerBoxFactor;
        n = cy + (n - cy) * innerBoxFactor;
        s = cy - (cy - s) * innerBoxFactor;
    }
    const bool inside = vessellongitude >= w && vessellongitude <= e && vessellatitude >= s && vessellatitude <= n;
    if (!inside)
        return true;
    if (heading < 0)
        return false;
    int x = 0, y = 0;
    if (!EC_GeosToPixel(vessellongitude, vessellatitude, &x, &y, engineWindow))
        return false;
    const double cx = (client.right - client.left) / 2.0, cy = (client.bottom - client.top) / 2.0;
    if (std::lround(cx) == x && std::lround(cy) == y)
        return false;
    // Bearing from the vessel to the centre, 0 up and clockwise.
    double relative = std::atan2(cx - x, y - cy) * 180.0 / M_PI - heading;
    while (relative < -180.0)
        relative += 360.0;
    while (relative > 180.0)
        relative -= 360.0;
    return std::fabs(relative) >= 90.0;
}

void ZoomBoxReleased(HWND chartWindow, POINT from, POINT to)
{
    HWND engineWindow = TopEngineChartWindow();
    CheckScaleButton(0);
    if (std::abs(to.x - from.x) >= 15) {
        int32_t lon1 = 0, lat1 = 0, lon2 = 0, lat2 = 0;
        const bool ok = EC_PixelToGeos(std::min(from.x, to.x), from.y, &lon1, &lat1, engineWindow) &&
                        EC_PixelToGeos(std::max(from.x, to.x), to.y, &lon2, &lat2, engineWindow) &&
                        EC_ChangeChartArea(engineWindow, lon1, std::max(lat1, lat2), lon2, std::min(lat1, lat2));
        if (!ok)
            TRACE_HOOK("lczp_zoom_rect failed");
    } else {
        int32_t lon = 0, lat = 0;
        if (EC_PixelToGeos(to.x, to.y, &lon, &lat, engineWindow))
            EC_CenterChartAt(lon, lat, engineWindow, 1, 0);
    }
    PostMessageA(chartWindow, WM_CHART_REFRESH, 0, 0);
}
