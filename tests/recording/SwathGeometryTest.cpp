// Placing a reading where its beam meets the seabed, from its transducer's beam angle and the
// heading, pitch and roll, with the depth reduced to the vertical, across the date line and at
// the poles; and the beam angles read from the settings.
#include "TempDataRoot.h"
#include "platform/profile.h"
#include "recording/SwathGeometry.h"
#include "recording/VesselState.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

SwathReading reading(int transducer, float depth, float heading, float pitch = NO_ANGLE, float roll = NO_ANGLE,
                     int32_t lat = 0, int32_t lon = 0)
{
    SwathReading r{};
    r.depth = depth;
    r.transducer = transducer;
    r.heading = heading;
    r.pitch = pitch;
    r.roll = roll;
    r.lat = lat;
    r.lon = lon;
    return r;
}

TEST(CalculateSwathPosition, WorkedExample)
{
    SwathReading r = reading(2, 10.0f, 90.0f);
    EXPECT_EQ(CalculateSwathPosition(&r), 0);
    EXPECT_EQ(+r.lat, 450);
    EXPECT_EQ(+r.lon, 0);
    EXPECT_NEAR(+r.depth, 8.660f, 1e-3);
}

TEST(CalculateSwathPosition, SidesHeadingsAndLimits)
{
    struct Case {
        const char* what;
        SwathReading in;
        int32_t lat, lon;
        float depth;
    } cases[] = {
        {"transducer 0, level: nothing moves", reading(0, 12.0f, 45.0f, 0.0f, 0.0f, 100, 200), 100, 200, 12.0f},
        {"no heading: position kept, depth reduced", reading(3, 10.0f, -1.0f, 0.0f, 0.0f, 7, 8), 7, 8, 7.0710678f},
        {"heading north: +1 lands west", reading(1, 10.0f, 0.0f), 0, -232, 9.659258f},
        {"heading north: -3 lands east", reading(-3, 10.0f, 360.0f), 0, 636, 7.0710678f},
        {"pitch 95 counts as level", reading(0, 10.0f, 0.0f, 95.0f, 0.0f), 0, 0, 10.0f},
        {"roll -91 leaves the beam alone", reading(2, 10.0f, 90.0f, 0.0f, -91.0f), 450, 0, 8.660254f},
        {"positive pitch moves aft", reading(0, 10.0f, 0.0f, 30.0f, 0.0f), -450, 0, 8.660254f},
        {"one metre east at 60 degrees north is 180 units", reading(-2, 2.0f, 0.0f, NO_ANGLE, NO_ANGLE, 600000000, 0),
         600000000, 180, 1.7320508f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SwathReading r = c.in;
        CalculateSwathPosition(&r);
        EXPECT_EQ(+r.lat, +c.lat);
        EXPECT_EQ(+r.lon, +c.lon);
        EXPECT_NEAR(+r.depth, +c.depth, 1e-4);
    }
}

TEST(CalculateSwathPosition, DateLineAndPoles)
{
    // Transducer -3 at 10 m, heading north, on the equator: 636 units east; +3: 636 west.
    // Pitch -30 moves the point 450 units forward.
    struct Case {
        const char* what;
        SwathReading in;
        int32_t lat, lon;
    } cases[] = {
        {"east across the date line", reading(-3, 10.0f, 0.0f, NO_ANGLE, NO_ANGLE, 0, 1799999900), 0, -1799999464},
        {"west across the date line", reading(3, 10.0f, 0.0f, NO_ANGLE, NO_ANGLE, 0, -1799999900), 0, 1799999464},
        {"onto the date line from the west is -180", reading(-3, 10.0f, 0.0f, NO_ANGLE, NO_ANGLE, 0, 1799999364), 0,
         -1800000000},
        {"a vessel longitude beyond the range comes round too",
         reading(-3, 10.0f, 0.0f, NO_ANGLE, NO_ANGLE, 0, std::numeric_limits<int32_t>::max()), 0, -1452515717},
        {"past the north pole stays at the pole", reading(0, 10.0f, 0.0f, -30.0f, 0.0f, 899999900, 5), 900000000, 5},
        {"past the south pole stays at the pole", reading(0, 10.0f, 180.0f, -30.0f, 0.0f, -899999900, 5), -900000000,
         5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SwathReading r = c.in;
        CalculateSwathPosition(&r);
        EXPECT_EQ(+r.lat, +c.lat);
        EXPECT_EQ(+r.lon, +c.lon);
    }
}

TEST(CalculateSwathPosition, RollTiltsTheBeam)
{
    SwathReading level = reading(0, 10.0f, 0.0f, 0.0f, 0.0f);
    SwathReading rolled = reading(0, 10.0f, 0.0f, 0.0f, 30.0f);
    CalculateSwathPosition(&level);
    CalculateSwathPosition(&rolled);
    EXPECT_EQ(+level.lon, 0);
    EXPECT_EQ(+rolled.lon, -450); // the same as transducer +2 without roll
}

TEST(LoadBeamAngles, ReadsTheProfileAndRepairsWhatIsNotANumber)
{
    TempDataRoot root;
    WritePrivateProfileStringA("Beam+1", "Angle", "20.5", "VARNEL.INI");
    WritePrivateProfileStringA("Beam-2", "Angle", "steep", "VARNEL.INI");
    double saved[BEAM_SLOTS];
    std::copy(beamAngles, beamAngles + BEAM_SLOTS, saved);
    LoadBeamAngles();
    EXPECT_EQ(beamAngles[1], 20.5);
    EXPECT_EQ(beamAngles[6], -30.0);
    char text[64];
    GetPrivateProfileStringA("Beam-2", "Angle", "", text, sizeof text, "VARNEL.INI");
    EXPECT_STREQ(text, "-30.000000");
    GetPrivateProfileStringA("Beam+0", "Angle", "", text, sizeof text, "VARNEL.INI");
    EXPECT_STREQ(text, "0.000000") << "missing keys are written with the table's value";
    std::copy(saved, saved + BEAM_SLOTS, beamAngles);
}

} // namespace
