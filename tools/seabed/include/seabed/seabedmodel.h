// The demo survey area: a patch of coast about 4 x 3 km around 57.70 N, 11.85 E with the
// mainland to the east, an island in the west and a shoal to the south. Depths in metres,
// positive downwards; negative values are heights of land above the sounding datum.
#pragma once

#include <algorithm>
#include <cmath>

namespace seabed {

// The area the demo chart covers, in degrees.
inline constexpr double kCentreLat = 57.70;
inline constexpr double kCentreLon = 11.85;
inline constexpr double kSouth = 57.6865;
inline constexpr double kNorth = 57.7135;
inline constexpr double kWest = 11.8165;
inline constexpr double kEast = 11.8835;

// Distances east and north of the area's centre in kilometres.
struct LocalKm {
    double east;
    double north;
};

inline constexpr double kKmPerDegLat = 111.2;
inline double kmPerDegLon() { return kKmPerDegLat * std::cos(kCentreLat * M_PI / 180.0); }

inline LocalKm toLocalKm(double lat, double lon)
{
    return {(lon - kCentreLon) * kmPerDegLon(), (lat - kCentreLat) * kKmPerDegLat};
}

struct LatLon {
    double lat;
    double lon;
};

inline LatLon fromLocalKm(LocalKm p)
{
    return {kCentreLat + p.north / kKmPerDegLat, kCentreLon + p.east / kmPerDegLon()};
}

// A smooth round bump of the given height (metres) and radius (km) at a local point.
inline double bump(LocalKm p, double east, double north, double height, double radiusKm)
{
    const double dx = p.east - east;
    const double dy = p.north - north;
    return height * std::exp(-(dx * dx + dy * dy) / (radiusKm * radiusKm));
}

// Depth below the sounding datum at a position (degrees); negative on land.
inline double depthAt(double lat, double lon)
{
    const LocalKm p = toLocalKm(lat, lon);
    // The coastline wanders north-south about 1.3 km east of the centre.
    const double coastEast = 1.3 + 0.25 * std::sin(p.north * 2.1);
    const double offshore = coastEast - p.east; // km west of the coast
    double depth = offshore >= 0.0 ? 58.0 * (1.0 - std::exp(-offshore / 1.5))
                                   : std::max(-30.0, 8.0 * offshore);
    depth -= bump(p, -1.0, 0.4, 56.0, 0.5); // the island
    depth -= bump(p, -0.1, -0.8, 30.0, 0.3); // the shoal, about 1 m at its top
    return depth;
}

} // namespace seabed
