#include "recording/SwathGeometry.h"
#include "frame/Inifile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <numbers>

double beamAngles[BEAM_SLOTS] = {0.0, 15.0, 30.0, 45.0, std::numeric_limits<float>::lowest(), -45.0, -30.0, -15.0};

namespace {

constexpr double RADIANS = std::numbers::pi / 180.0;

bool validTilt(float angle) { return angle >= -90.0f && angle <= 90.0f; }

// 90, 180 and 360 degrees in 1e-7 degree.
constexpr double QUARTER = 900000000.0, HALF = 1800000000.0, WHOLE = 3600000000.0;

// Shifts are in 1e-7 degree, truncated toward zero, and worked out in doubles, so that no sum
// overflows; a shift that is no number (the vessel at a pole) is dropped.

// A seabed point beyond a pole is taken at the pole.
void shiftLatitude(int32_t& lat, float units)
{
    if (std::isfinite(units))
        lat = static_cast<int32_t>(std::clamp(double(lat) + std::trunc(double(units)), -QUARTER, QUARTER));
}

// Across the date line the longitude comes round into [-180, 180) degrees.
void shiftLongitude(int32_t& lon, float units)
{
    if (!std::isfinite(units))
        return;
    double moved = std::fmod(double(lon) + std::trunc(double(units)) + HALF, WHOLE);
    if (moved < 0)
        moved += WHOLE;
    lon = static_cast<int32_t>(moved - HALF);
}

} // namespace

void LoadBeamAngles()
{
    for (int slot = 0; slot < BEAM_SLOTS; ++slot) {
        if (slot == 4)
            continue;
        char section[16];
        std::snprintf(section, sizeof section, "Beam%+d", SlotTransducer(slot));
        char text[256];
        std::snprintf(text, sizeof text, "%f", beamAngles[slot]);
        GetVarnelProfileString(section, "Angle", text);
        if (std::sscanf(text, "%lf", &beamAngles[slot]) != 1)
            std::snprintf(text, sizeof text, "%f", beamAngles[slot]);
        WriteVarnelProfileString(section, "Angle", text);
    }
}

extern "C" int CalculateSwathPosition(SwathReading* r)
{
    double beam = beamAngles[r->transducer & 7];
    double p = validTilt(r->pitch) ? r->pitch * RADIANS : 0.0;
    double a = validTilt(r->roll) ? (r->roll + beam) * RADIANS : beam * RADIANS;
    if (r->heading >= 0.0f) {
        float degrees = static_cast<float>(std::fmod(r->heading + 0.0, 360.0));
        double h = degrees * RADIANS;
        float along = static_cast<float>(std::sin(-p) * r->depth);
        float across = static_cast<float>(std::sin(-a) * r->depth);
        float east = static_cast<float>(std::cos(h) * across + std::sin(h) * along);
        float north = static_cast<float>(std::cos(h) * along - std::sin(h) * across);
        float k = static_cast<float>(90.0 / std::cos(r->lat * RADIANS * 1e-7));
        shiftLatitude(r->lat, north * 90.0f);
        shiftLongitude(r->lon, east * k);
    }
    r->depth = static_cast<float>(r->depth * std::cos(-a));
    r->depth = static_cast<float>(r->depth * std::cos(p));
    return 0;
}
