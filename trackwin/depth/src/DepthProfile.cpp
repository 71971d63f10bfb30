#include "trackwin/DepthProfile.h"

#include "classification/BoxFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr float MIN_RANGE = 10.0f;
constexpr float MAX_BOTTOM = 999.0f;
constexpr float MAX_TOP = 989.0f;

const char* const unitTexts[] = {"m", "ft", "fm"};

} // namespace

void DepthHistory::allocate(int length)
{
    for (int b = 0; b < DEPTH_BUFFERS; ++b) {
        depth[b].assign(size_t(std::max(length, 1)), 0.0f);
        colour[b].assign(size_t(std::max(length, 1)), NO_DEPTH_READING);
    }
}

void DepthHistory::age()
{
    // Entry 0 keeps its value until the slot's next reading replaces it.
    for (int b = 0; b < DEPTH_BUFFERS; ++b) {
        std::copy_backward(depth[b].begin(), depth[b].end() - 1, depth[b].end());
        std::copy_backward(colour[b].begin(), colour[b].end() - 1, colour[b].end());
    }
}

void DepthHistory::convert(double factor)
{
    for (auto& buffer : depth)
        for (float& d : buffer)
            d = float(d * factor);
}

int DepthBufferOfSlot(int slot)
{
    static constexpr int buffers[BEAM_SLOTS] = {0, 6, 5, 4, -1, 3, 2, 1};
    return slot >= 0 && slot < BEAM_SLOTS ? buffers[slot] : -1;
}

float DisplayDepth(float depth, double draft, int units)
{
    float below = float(depth - draft);
    if (!(below > 0.0f))
        below = 0.0f;
    if (units == 1)
        return below * 3.2808f;
    if (units == 2)
        return below * 0.5468f;
    return below;
}

bool AutoscaleDepthWindow(DepthDisplaySettings& s, bool& scrollPending, float depth)
{
    if (depth >= s.top && depth <= s.top + s.range) {
        scrollPending = false;
        return false;
    }
    if (!scrollPending) {
        scrollPending = true;
        return false;
    }
    float shift = depth < s.top ? -s.range / 2 : s.range / 2;
    if (s.top + shift < 0)
        shift = -s.top;
    s.top += shift;
    s.bottom += shift;
    scrollPending = false;
    return true;
}

void StepDepthTop(DepthDisplaySettings& s, bool up)
{
    if (up && s.top > 0) {
        s.top -= 1;
        s.range += 1;
    } else if (!up && s.bottom - MIN_RANGE > s.top && s.top < MAX_TOP) {
        s.top += 1;
        s.range -= 1;
    }
}

void StepDepthBottom(DepthDisplaySettings& s, bool up)
{
    if (up && s.top + MIN_RANGE < s.bottom) {
        s.bottom -= 1;
        s.range -= 1;
    } else if (!up && s.bottom < MAX_BOTTOM) {
        s.bottom += 1;
        s.range += 1;
    }
}

void StepDepthRange(DepthDisplaySettings& s, bool up)
{
    if (up && s.range > MIN_RANGE) {
        s.range -= 1;
        s.bottom -= 1;
    } else if (!up && s.bottom < MAX_BOTTOM) {
        s.range += 1;
        s.bottom += 1;
    }
}

double DepthUnitFactor(int from, int to)
{
    static constexpr double factors[3][3] = {
        {1.0, 3.280839, 0.5468066},
        {0.3048, 1.0, 0.16666667},
        {1.8288, 6.0, 1.0},
    };
    if (from < 0 || from > 2 || to < 0 || to > 2)
        return 1.0;
    return factors[from][to];
}

void ConvertDepthSettings(DepthDisplaySettings& s, int units)
{
    if (units < 0 || units > 2 || units == s.units)
        return;
    const double factor = DepthUnitFactor(s.units, units);
    s.top = std::trunc(float(s.top * factor));
    s.bottom = std::trunc(float(s.bottom * factor));
    // Truncated on its own the range would no longer reach from the top to the bottom.
    s.range = s.bottom - s.top;
    s.units = int16_t(units);
    std::snprintf(s.unitText, sizeof s.unitText, "%s", unitTexts[units]);
}

std::string DepthText(float depth, float centreDepth, const char* unitText)
{
    char text[48];
    if (centreDepth < 100.0f)
        std::snprintf(text, sizeof text, "Depth %5.1f %s", depth, unitText);
    else
        std::snprintf(text, sizeof text, "Depth %4d %s", int(depth), unitText);
    return text;
}

std::string SeabedText(const TrackPoint& point)
{
    TrackPoint copy = point;
    if (ClassifyReading(&boxFile, &copy) != 0)
        return "<Ext>";
    const int cls = copy.colour;
    if (cls < 0 || cls >= BOX_CLASSES || boxFile.classNames[cls][0] == '\0')
        return "(?)";
    return std::string(boxFile.classNames[cls], strnlen(boxFile.classNames[cls], BOX_NAME_SIZE));
}
