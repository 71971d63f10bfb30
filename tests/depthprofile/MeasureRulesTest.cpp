// Range, bearing and the range text of the measuring tool.
#include "chart/MeasureTool.h"

#include "frame/ProgramSettings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr int32_t DEG = 10000000;

struct Leg {
    const char* what;
    int32_t lon1, lat1, lon2, lat2;
    double km;
    int bearing; // from point 1 to point 2
};

TEST(MeasureTool, RangeAndBearingOfKnownLegs)
{
    const Leg legs[] = {
        {"north along a meridian", 0, 0, 0, DEG / 10, 11.1111111, 0},
        {"south along a meridian", 3 * DEG, 50 * DEG + DEG / 10, 3 * DEG, 50 * DEG, 11.1111111, 180},
        {"east along the equator", 0, 0, DEG / 10, 0, 11.1111111, 90},
        {"west along the equator", DEG / 10, 0, 0, 0, 11.1111111, 270},
        {"east across 180 degrees", 1799500000, 0, -1799500000, 0, 11.1111111, 90},
        {"west across 180 degrees", -1799500000, 0, 1799500000, 0, 11.1111111, 270},
        {"north-east", 0, 0, DEG / 10, DEG / 10, 15.7134840, 45},
        {"south-east", 0, 0, DEG / 10, -DEG / 10, 15.7134840, 135},
        {"the start point itself", 118000000, 577000000, 118000000, 577000000, 0.0, 180},
    };
    for (const Leg& leg : legs) {
        SCOPED_TRACE(leg.what);
        EXPECT_NEAR(MeasureRange(leg.lon1, leg.lat1, leg.lon2, leg.lat2), leg.km, 1e-6);
        EXPECT_EQ(MeasureBearing(leg.lon2, leg.lat2, leg.lon1, leg.lat1), leg.bearing);
    }
}

TEST(MeasureTool, RangeTextFollowsTheDistanceUnits)
{
    const int16_t depthUnits = depthDisplay.units;
    const int32_t units = measureUnits;
    struct Case {
        int32_t measure;
        int16_t depth;
        const char* text;
    };
    const Case cases[] = {
        {1, 0, " 11.1111km"},
        {2, 0, "  5.9995nm"},
        {0, 0, " 11.1111km"}, // following metres
        {0, 1, "  5.9995nm"}, // following feet
        {0, 2, "  5.9995nm"}, // following fathoms
    };
    const double km = MeasureRange(0, 0, DEG / 10, 0);
    for (const Case& c : cases) {
        measureUnits = c.measure;
        depthDisplay.units = c.depth;
        char text[32];
        FormatRange(km, text);
        EXPECT_STREQ(text, c.text) << c.measure << " " << c.depth;
    }
    measureUnits = units;
    depthDisplay.units = depthUnits;
}

} // namespace
