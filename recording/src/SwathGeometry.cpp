#include "recording/SwathGeometry.h"
#include "frame/Inifile.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <numbers>

double beamAngles[BEAM_SLOTS] = {0.0, 15.0, 30.0, 45.0, std::numeric_limits<float>::lowest(), -45.0, -30.0, -15.0};

namespace {

constexpr double RADIANS = std::numbers::pi / 180.0;

bool validTilt(float angle) { return angle >= -90.0f && angle <= 90.0f; }

// Adds a shift in 1e-7 degree, truncated toward zero; a shift no position can take is dropped.
void shift(int32_t& coordinate, float units)
{
    double moved = double(coordinate) + double(std::trunc(units));
    if (std::isfinite(units) && moved >= std::numeric_limits<int32_t>::min() &&
        moved <= std::numeric_limits<int32_t>::max())
        coordinate = static_cast<int32_t>(moved);
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
        shift(r->lat, north * 90.0f);
        shift(r->lon, east * k);
    }
    r->depth = static_cast<float>(r->depth * std::cos(-a));
    r->depth = static_cast<float>(r->depth * std::cos(p));
    return 0;
}
