// Geographic values inside the engine: degrees as doubles. The interface speaks 1e-7 degree.
#pragma once

#include <cstdint>

namespace euro32 {

struct GeoPoint {
    double lon;
    double lat;
};

// west may be greater than east when the box crosses the 180 degree meridian only at the
// interface; inside the engine east is kept above west (east may pass 180).
struct GeoBox {
    double west;
    double south;
    double east;
    double north;
};

inline constexpr double kUnitsPerDegree = 1e7;
inline double fromUnits(int32_t v) { return v / kUnitsPerDegree; }
int32_t toUnits(double degrees);

} // namespace euro32
