// Positions as the program writes them: degrees, minutes with the chosen decimals, hemisphere.
#include "frame/PositionText.h"

#include <gtest/gtest.h>

TEST(PositionText, DegreesAndMinutesWithTheHemisphere)
{
    const struct {
        int32_t value;
        bool latitude;
        int decimals;
        const char* text;
    } cases[] = {
        {577000000, true, 2, "57 42.00' N"},
        {118500000, false, 3, "011 51.000' E"},
        {-1799000000, false, 3, "179 54.000' W"},
        {-335000001, true, 1, "33 30.0' S"},
        {599999999, true, 3, "60 00.000' N"}, // 59.99994 minutes round up to the next degree
        {0, true, 0, "00 00' N"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.latitude ? LatitudeText(c.value, c.decimals) : LongitudeText(c.value, c.decimals), c.text)
            << c.value;
}
