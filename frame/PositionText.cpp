#include "frame/PositionText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

std::string DegreesMinutes(int32_t value, int degreeDigits, int decimals, char positive, char negative)
{
    decimals = std::clamp(decimals, 0, 6);
    // Rounded as a whole, so that 59.9999 minutes become the next degree, not "60.000".
    const double scale = 60.0 * std::pow(10.0, decimals);
    const long long units = std::llround(std::fabs(double(value)) / 1e7 * scale);
    const long long degrees = units / (long long)scale;
    const double minutes = double(units % (long long)scale) / std::pow(10.0, decimals);
    char text[40];
    std::snprintf(text, sizeof text, "%0*lld %0*.*f' %c", degreeDigits, degrees, decimals ? decimals + 3 : 2, decimals,
                  minutes, value < 0 ? negative : positive);
    return text;
}

} // namespace

std::string LatitudeText(int32_t lat, int minuteDecimals) { return DegreesMinutes(lat, 2, minuteDecimals, 'N', 'S'); }

std::string LongitudeText(int32_t lon, int minuteDecimals) { return DegreesMinutes(lon, 3, minuteDecimals, 'E', 'W'); }
