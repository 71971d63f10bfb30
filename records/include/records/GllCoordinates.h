// A coordinate as the "$GPGLL" sentences carry it, "ddmm.mmmm": the navigation output and the
// replay files write it, the replay module reads it back.
#pragma once

#include <cstdint>

struct GllCoordinate {
    uint32_t degrees;
    uint32_t minuteTenThousandths; // 0 to 599,999
    bool negative;
};

// Rounded once to the written ten-thousandth of a minute and then split, so that 51 degrees
// 59.99997 minutes read 52 degrees 0.0000 minutes, never 51 degrees 60.0000.
inline GllCoordinate GllCoordinateOf(int32_t value)
{
    int64_t magnitude = value < 0 ? -int64_t(value) : int64_t(value);
    int64_t tenThousandths = (magnitude * 6 + 50) / 100; // a unit is 6e-6 minute
    return GllCoordinate{uint32_t(tenThousandths / 600000), uint32_t(tenThousandths % 600000), value < 0};
}
