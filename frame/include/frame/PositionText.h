// Positions as the program writes them: whole degrees, minutes with a chosen number of
// decimals, and the hemisphere ("57 42.123' N", "011 51.000' E").
#pragma once

#include <cstdint>
#include <string>

std::string LatitudeText(int32_t lat, int minuteDecimals);
std::string LongitudeText(int32_t lon, int minuteDecimals);
