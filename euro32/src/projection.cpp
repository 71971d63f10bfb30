#include "projection.h"

#include <algorithm>
#include <cmath>

namespace euro32 {

namespace {
constexpr double kRad = M_PI / 180.0;
constexpr double kMaxLat = 85.0;   // the view centre stays within this
constexpr double kPoleLat = 89.99; // points beyond are drawn at this latitude
constexpr double kMetresPerDegree = 111319.49;
constexpr double kPixelMetres = 0.00028;
constexpr double kWorldPixels = 256.0;
} // namespace

int32_t toUnits(double degrees)
{
    return static_cast<int32_t>(std::lround(degrees * kUnitsPerDegree));
}

double mercatorY(double lat)
{
    const double clamped = std::clamp(lat, -kPoleLat, kPoleLat);
    return std::log(std::tan(M_PI / 4.0 + clamped * kRad / 2.0)) / kRad;
}

double latitudeOf(double mercY)
{
    return (2.0 * std::atan(std::exp(mercY * kRad)) - M_PI / 2.0) / kRad;
}

double wrapLongitude(double lon)
{
    double w = std::fmod(lon + 180.0, 360.0);
    if (w < 0)
        w += 360.0;
    return w - 180.0;
}

PixelPoint geoToPixel(const View& v, GeoPoint p)
{
    const double dLon = wrapLongitude(p.lon - v.centreLon);
    return {v.width / 2.0 + dLon / v.degPerPixel,
            v.height / 2.0 - (mercatorY(p.lat) - v.centreY) / v.degPerPixel};
}

GeoPoint pixelToGeo(const View& v, PixelPoint p)
{
    const double lon = wrapLongitude(v.centreLon + (p.x - v.width / 2.0) * v.degPerPixel);
    const double y = v.centreY - (p.y - v.height / 2.0) * v.degPerPixel;
    return {lon, latitudeOf(y)};
}

GeoBox viewArea(const View& v)
{
    const double halfLon = v.width / 2.0 * v.degPerPixel;
    const double west = wrapLongitude(v.centreLon - halfLon);
    return {west, latitudeOf(v.centreY - v.height / 2.0 * v.degPerPixel),
            west + 2.0 * halfLon, latitudeOf(v.centreY + v.height / 2.0 * v.degPerPixel)};
}

void showArea(View& v, GeoBox box)
{
    double east = box.east;
    while (east <= box.west)
        east += 360.0;
    const double spanLon = east - box.west;
    const double top = mercatorY(std::max(box.north, box.south));
    const double bottom = mercatorY(std::min(box.north, box.south));
    v.centreLon = wrapLongitude(box.west + spanLon / 2.0);
    v.centreY = (top + bottom) / 2.0;
    v.degPerPixel = std::max(spanLon / std::max(v.width, 1), (top - bottom) / std::max(v.height, 1));
    limitScale(v);
}

void centreAt(View& v, GeoPoint p)
{
    v.centreLon = wrapLongitude(p.lon);
    v.centreY = mercatorY(p.lat);
}

void limitScale(View& v)
{
    const double coslat = std::cos(latitudeOf(v.centreY) * kRad);
    const double finest = 1000.0 * kPixelMetres / (kMetresPerDegree * coslat);
    const double coarsest = 360.0 / kWorldPixels;
    if (!(v.degPerPixel >= finest)) // also catches NaN
        v.degPerPixel = finest;
    v.degPerPixel = std::min(v.degPerPixel, coarsest);
    v.centreY = std::clamp(v.centreY, mercatorY(-kMaxLat), mercatorY(kMaxLat));
}

void resize(View& v, int width, int height)
{
    v.width = std::max(width, 1);
    v.height = std::max(height, 1);
}

double scaleDenominator(const View& v)
{
    const double coslat = std::cos(latitudeOf(v.centreY) * kRad);
    return v.degPerPixel * kMetresPerDegree * coslat / kPixelMetres;
}

void setScaleDenominator(View& v, double denominator)
{
    const double coslat = std::cos(latitudeOf(v.centreY) * kRad);
    v.degPerPixel = denominator * kPixelMetres / (kMetresPerDegree * coslat);
    limitScale(v);
}

} // namespace euro32
