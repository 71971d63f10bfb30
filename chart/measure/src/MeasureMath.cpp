// Range, bearing and the range text of the measuring tool.
#include "chart/MeasureTool.h"

#include "frame/ProgramSettings.h"

#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

constexpr double UNITS_PER_DEGREE = 10000000.0;
constexpr double KM_PER_DEGREE = 111.11111111111111;
constexpr double KM_PER_NM = 1.852;

double radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

} // namespace

double MeasureRange(int32_t lon1, int32_t lat1, int32_t lon2, int32_t lat2)
{
    // In double: the difference of two longitudes does not fit 32 bits across the date line.
    double dLon = (double(lon1) - double(lon2)) / UNITS_PER_DEGREE;
    if (dLon > 180.0)
        dLon -= 360.0;
    else if (dLon <= -180.0)
        dLon += 360.0;
    const double x = dLon * std::cos(radians(lat1 / UNITS_PER_DEGREE));
    const double dLat = (double(lat1) - double(lat2)) / UNITS_PER_DEGREE;
    return std::sqrt(x * x + dLat * dLat) * KM_PER_DEGREE;
}

int MeasureBearing(int32_t lon2, int32_t lat2, int32_t lon1, int32_t lat1)
{
    const double dLat = radians((double(lat2) - double(lat1)) / UNITS_PER_DEGREE);
    double dLon = radians((double(lon2) - double(lon1)) / UNITS_PER_DEGREE);
    if (dLon > std::numbers::pi)
        dLon -= 2 * std::numbers::pi;
    else if (dLon <= -std::numbers::pi)
        dLon += 2 * std::numbers::pi;
    if (dLon == 0.0)
        return dLat > 0.0 ? 0 : 180;
    dLon *= std::cos(radians(lat2 / UNITS_PER_DEGREE));
    const int angle = int(std::trunc(std::atan2(dLat, dLon) * 180.0 / std::numbers::pi));
    return (450 - angle) % 360;
}

void FormatRange(double km, char text[32])
{
    const bool nauticalMiles = measureUnits == 2 || (measureUnits == 0 && depthDisplay.units != 0);
    if (nauticalMiles)
        std::snprintf(text, 32, "%8.4lfnm", km / KM_PER_NM);
    else
        std::snprintf(text, 32, "%8.4lfkm", km);
}
