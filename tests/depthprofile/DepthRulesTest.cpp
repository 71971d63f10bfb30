// The depth window's arithmetic: the moving depth window, the dialog's limits, unit changes,
// depths below the draft, the transducers' buffers and the depth text.
#include "trackwin/DepthProfile.h"

#include <gtest/gtest.h>

namespace {

DepthDisplaySettings settings(float top, float bottom, int units = 0)
{
    DepthDisplaySettings s{};
    s.units = int16_t(units);
    std::snprintf(s.unitText, sizeof s.unitText, "%s", units == 0 ? "m" : units == 1 ? "ft" : "fm");
    s.autoscale = 1;
    s.top = top;
    s.bottom = bottom;
    s.range = bottom - top;
    return s;
}

TEST(DepthAutoscale, MovesOnlyOnTheSecondReadingOutsideAndNeverAboveZero)
{
    struct Case {
        float top, bottom, depth;
        float topAfterFirst, topAfterSecond, bottomAfterSecond;
    };
    const Case cases[] = {
        {20, 40, 17, 20, 10, 30},  // 3 units shallower: the second moves up by half the range
        {10, 50, 5, 10, 0, 40},    // a half-range shift would pass 0: it stops at 0
        {0, 40, 50, 0, 20, 60},    // deeper: down by half the range
        {0, 40, 40, 0, 0, 40},     // the bottom itself is inside
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.depth);
        DepthDisplaySettings s = settings(c.top, c.bottom);
        bool pending = false;
        AutoscaleDepthWindow(s, pending, c.depth);
        EXPECT_FLOAT_EQ(s.top, c.topAfterFirst);
        AutoscaleDepthWindow(s, pending, c.depth);
        EXPECT_FLOAT_EQ(s.top, c.topAfterSecond);
        EXPECT_FLOAT_EQ(s.bottom, c.bottomAfterSecond);
        EXPECT_FLOAT_EQ(s.bottom - s.top, c.bottom - c.top);
    }
}

TEST(DepthAutoscale, AReadingInsideInBetweenStartsTheCountAgain)
{
    DepthDisplaySettings s = settings(0, 40);
    bool pending = false;
    EXPECT_FALSE(AutoscaleDepthWindow(s, pending, 55));
    EXPECT_FALSE(AutoscaleDepthWindow(s, pending, 20));
    EXPECT_FALSE(AutoscaleDepthWindow(s, pending, 55));
    EXPECT_FLOAT_EQ(s.top, 0);
    EXPECT_TRUE(AutoscaleDepthWindow(s, pending, 55));
    EXPECT_FLOAT_EQ(s.top, 20);
}

TEST(DepthRangesLimits, ArrowsKeepTheRangeAtTenAndTheBottomAt999)
{
    using Step = void (*)(DepthDisplaySettings&, bool);
    struct Case {
        const char* what;
        Step step;
        bool up;
        float top, bottom;
        float topAfter, bottomAfter;
    };
    const Case cases[] = {
        {"top up at 0", StepDepthTop, true, 0, 20, 0, 20},
        {"top up", StepDepthTop, true, 5, 20, 4, 20},
        {"top down with the bottom 10 below", StepDepthTop, false, 20, 30, 20, 30},
        {"top down", StepDepthTop, false, 20, 31, 21, 31},
        {"top down at 989", StepDepthTop, false, 989, 1005, 989, 1005},
        {"bottom up with the range at 10", StepDepthBottom, true, 20, 30, 20, 30},
        {"bottom up", StepDepthBottom, true, 20, 31, 20, 30},
        {"bottom down at 999", StepDepthBottom, false, 20, 999, 20, 999},
        {"bottom down", StepDepthBottom, false, 20, 998, 20, 999},
        {"range up at 10", StepDepthRange, true, 20, 30, 20, 30},
        {"range up", StepDepthRange, true, 20, 40, 20, 39},
        {"range down at 999", StepDepthRange, false, 0, 999, 0, 999},
        {"range down", StepDepthRange, false, 0, 40, 0, 41},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DepthDisplaySettings s = settings(c.top, c.bottom);
        c.step(s, c.up);
        EXPECT_FLOAT_EQ(s.top, c.topAfter);
        EXPECT_FLOAT_EQ(s.bottom, c.bottomAfter);
        EXPECT_FLOAT_EQ(s.range, c.bottomAfter - c.topAfter);
    }
}

TEST(DepthUnits, ConversionTruncatesTheLimitsAndKeepsTheRangeBetweenThem)
{
    struct Case {
        int from, to;
        float top, bottom;
        float topAfter, bottomAfter;
        const char* text;
    };
    const Case cases[] = {
        {0, 1, 10, 40, 32, 131, "ft"},
        {0, 2, 10, 40, 5, 21, "fm"},
        {1, 0, 32, 131, 9, 39, "m"},
        {2, 1, 5, 21, 30, 126, "ft"},
        {2, 0, 5, 21, 9, 38, "m"},
        {1, 2, 60, 120, 10, 20, "fm"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + "->" + std::to_string(c.to));
        DepthDisplaySettings s = settings(c.top, c.bottom, c.from);
        ConvertDepthSettings(s, c.to);
        EXPECT_EQ(s.units, c.to);
        EXPECT_STREQ(s.unitText, c.text);
        EXPECT_FLOAT_EQ(s.top, c.topAfter);
        EXPECT_FLOAT_EQ(s.bottom, c.bottomAfter);
        EXPECT_FLOAT_EQ(s.range, c.bottomAfter - c.topAfter);
    }
}

TEST(DepthReadings, DepthBelowTheDraftInDisplayUnitsAndNeverNegative)
{
    EXPECT_FLOAT_EQ(DisplayDepth(12.5f, 1.5, 0), 11.0f);
    EXPECT_FLOAT_EQ(DisplayDepth(1.0f, 1.5, 0), 0.0f);
    EXPECT_FLOAT_EQ(DisplayDepth(11.0f, 1.0, 1), 32.808f);
    EXPECT_FLOAT_EQ(DisplayDepth(11.0f, 1.0, 2), 5.468f);
}

TEST(DepthReadings, SlotsFillTheirBuffersAndSlotFourNone)
{
    const int expected[BEAM_SLOTS] = {0, 6, 5, 4, -1, 3, 2, 1};
    for (int slot = 0; slot < BEAM_SLOTS; ++slot)
        EXPECT_EQ(DepthBufferOfSlot(slot), expected[slot]) << slot;
    EXPECT_EQ(DepthBufferOfSlot(8), -1);
}

TEST(DepthReadings, OneDecimalBelowAHundred)
{
    EXPECT_EQ(DepthText(99.94f, 99.94f, "m"), "Depth  99.9 m");
    EXPECT_EQ(DepthText(100.0f, 100.0f, "m"), "Depth  100 m");
    EXPECT_EQ(DepthText(123.9f, 123.9f, "ft"), "Depth  123 ft");
    // The centre transducer decides the format of every transducer's text.
    EXPECT_EQ(DepthText(150.3f, 20.0f, "m"), "Depth 150.3 m");
}

TEST(DepthHistoryBuffers, AgingMovesEveryBufferOnePlaceOlder)
{
    DepthHistory h;
    h.allocate(4);
    h.depth[0][0] = 5;
    h.colour[0][0] = 3;
    h.depth[6][0] = 7;
    h.depth[0][3] = 99; // the oldest falls off
    h.age();
    EXPECT_FLOAT_EQ(h.depth[0][1], 5);
    EXPECT_EQ(h.colour[0][1], 3);
    EXPECT_FLOAT_EQ(h.depth[6][1], 7);
    EXPECT_FLOAT_EQ(h.depth[0][3], 0);
    h.convert(2.0);
    EXPECT_FLOAT_EQ(h.depth[0][1], 10);
    EXPECT_FLOAT_EQ(h.depth[6][1], 14);
}

} // namespace
