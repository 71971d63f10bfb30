#include "OptionSteps.h"

#include <cmath>

int32_t StepSaveRate(int32_t value, bool up)
{
    if (up)
        return value < 100 ? value + 1 : value < 990 ? value + 10 : value;
    return value >= 109 ? value - 10 : value > 1 ? value - 1 : value;
}

int32_t StepPenWidth(int32_t value, bool up)
{
    if (up)
        return value < 99 ? value + 1 : value;
    return value > 1 ? value - 1 : value;
}

int32_t StepPlotDensity(int32_t value, bool up)
{
    if (up)
        return value < 100 ? value + 1 : value;
    return value >= 2 ? value - 1 : value;
}

float StepDepthTop(float top, bool up)
{
    if (up)
        return top > 0 ? top - 1 : top;
    return top < 999 ? top + 1 : top;
}

float StepDepthInterval(float interval, bool up)
{
    float next = interval;
    if (up && interval > 0.1f)
        next = interval - (interval <= 1.0f ? 0.1f : 1.0f);
    else if (!up && interval < 999)
        next = interval + (interval >= 1.0f ? 1.0f : 0.1f);
    else
        return interval;
    // Kept to whole tenths: tenths added in floating point drift, and 0.9 + 0.1 must come back
    // to 1.0 exactly, or the next step would add another tenth instead of a whole unit.
    return std::round(next * 10.0f) / 10.0f;
}

const char* SaveRateSuffix(int32_t value)
{
    if (value < 2)
        return "";
    return value == 2 ? "nd " : value == 3 ? "rd " : "th ";
}
