// The current track: the display rings, each new reading drawn as it arrives, and the whole
// track drawn at paint time.
#include "DrawingFixture.h"

#include "chart/ChartColours.h"
#include "frame/Inifile.h"
#include "recording/ModuleBinding.h"
#include "recording/RecordingControl.h"
#include "recording/VesselState.h"

#include <QPainter>

#include <cmath>
#include <deque>
#include <functional>

namespace {

// What the module hands over at one call, as its GetTrackData fills the caller's record.
struct Handover {
    uint32_t flags;
    POINT fixPixel{0, 0};
    float heading = NO_ANGLE; // of the fix (the compass record)
    int transducer = 0;
    float e2 = GREEN_E2;
    float e1 = 1.0f;
    float angles = NO_ANGLE; // pitch and roll
};
std::deque<Handover> handovers;
HWND positionWindow = nullptr;
// Called while the module hands over, as a message box inside GetTrackData lets a timer tick in.
std::function<void()> duringHandover;

uint32_t HandOver(SwathReading* reading)
{
    if (handovers.empty())
        return 0;
    Handover h = handovers.front();
    handovers.pop_front();
    if (duringHandover)
        duringHandover();
    if (h.flags & 1) {
        EC_PixelToGeos(h.fixPixel.x, h.fixPixel.y, &reading->lon, &reading->lat, positionWindow);
        reading->heading = h.heading;
        reading->pitch = reading->roll = h.angles;
        reading->time = 1700000000;
    }
    if (h.flags & 2) {
        reading->depth = 10.0f;
        reading->e1 = h.e1;
        reading->e2 = h.e2;
        reading->transducer = h.transducer;
        reading->time = 1700000000;
    } else {
        reading->transducer = 0;
    }
    return h.flags;
}

} // namespace

class CurrentTrackDrawing : public DrawingTest {
protected:
    void SetUp() override
    {
        DrawingTest::SetUp();
        positionWindow = engineWindow;
        handovers.clear();
        hSwath.GetTrackData = HandOver;
        chartSurface.screen = QImage(WINDOW_WIDTH, WINDOW_HEIGHT, QImage::Format_RGB32);
        chartSurface.screen.fill(Qt::white);
        heading = -1.0f;
    }
    void TearDown() override
    {
        std::fill(std::begin(lastSlotFresh), std::end(lastSlotFresh), false);
        duringHandover = nullptr;
        DrawingTest::TearDown();
    }
    // Runs ticks until the queued hand-overs are taken.
    void tick()
    {
        while (!handovers.empty())
            EXPECT_EQ(OnNewReading(chartWindow), 0);
    }
    bool screenIsWhite() const
    {
        QImage white(WINDOW_WIDTH, WINDOW_HEIGHT, QImage::Format_RGB32);
        white.fill(Qt::white);
        return chartSurface.screen == white;
    }
    std::vector<TrackPoint> ring(int slot) const
    {
        std::vector<TrackPoint> points;
        ForEachRingPoint(slot, [&](const TrackPoint& p) { points.push_back(p); });
        return points;
    }
};

TEST_F(CurrentTrackDrawing, FullRingHoldsThirtyTwoThousandAndDropsTheOldest)
{
    for (int i = 1; i <= RING_POINTS + 1; ++i)
        AppendToRing(6, TrackPoint{float(i), 0, 0, 0, 0, 0});
    EXPECT_EQ(CurrentTrackRings[6].count, RING_POINTS);
    std::vector<TrackPoint> points = ring(6);
    ASSERT_EQ(points.size(), size_t(RING_POINTS));
    EXPECT_EQ(points.front().depth, 2.0f);
    EXPECT_EQ(points.back().depth, float(RING_POINTS + 1));
    EXPECT_EQ(CurrentTrackRings[6].points[CurrentTrackRings[6].previousIndex].depth, float(RING_POINTS));

    ClearCurrentTrackRings();
    EXPECT_TRUE(ring(6).empty());
    RECT bounds;
    EXPECT_FALSE(CurrentTrackBounds(&bounds));
}

TEST_F(CurrentTrackDrawing, SlotIsDrawnFromItsSecondPoint)
{
    handovers = {{3, {100, 150}, 90.0f}};
    tick();
    ASSERT_EQ(ring(0).size(), 1u);
    EXPECT_TRUE(screenIsWhite());

    handovers = {{3, {200, 150}, 90.0f}};
    tick();
    ASSERT_EQ(ring(0).size(), 2u);
    EXPECT_EQ(colourAt(chartSurface.screen, 150, 150), palette(GREEN_CLASS));
    EXPECT_EQ(colourAt(chartSurface.screen, 150, 140), QColor(Qt::white));
    EXPECT_EQ(heading, 90.0f);
}

TEST_F(CurrentTrackDrawing, ReadingWaitsForTheNextFixAndIsPlacedThere)
{
    handovers = {{2, {}, 0, 0, MAGENTA_E2}};
    tick();
    EXPECT_TRUE(ring(0).empty());
    EXPECT_EQ(lastSlotPoints[0].lat, NO_POSITION_LAT);

    handovers = {{1, {120, 80}, 45.0f}};
    tick();
    std::vector<TrackPoint> points = ring(0);
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].colour, MAGENTA_CLASS);
    EXPECT_EQ(points[0].lat, pointAt(120, 80).lat);
    EXPECT_EQ(lastSlotPoints[0].lat, points[0].lat);

    // A fix without a new reading places nothing.
    handovers = {{1, {130, 80}, 45.0f}};
    tick();
    EXPECT_EQ(ring(0).size(), 1u);
}

TEST_F(CurrentTrackDrawing, SideBeamsArePlacedBesideTheTrack)
{
    // Transducer +2 looks 30 degrees to port: heading north, its point lies west of the fix.
    handovers = {{3, {200, 150}, 0.0f, 2}};
    tick();
    std::vector<TrackPoint> points = ring(2);
    ASSERT_EQ(points.size(), 1u);
    TrackPoint fix = pointAt(200, 150);
    EXPECT_LT(points[0].lon, fix.lon);
    EXPECT_NEAR(points[0].depth, 10.0f * std::cos(M_PI / 6), 1e-4);
}

TEST_F(CurrentTrackDrawing, WithoutCompassTheHeadingIsTheCourseMadeGood)
{
    // Readings of transducer +1 carry no heading. Until two fixes give a course they cannot be
    // placed and are never drawn.
    handovers = {{3, {100, 200}, NO_ANGLE, 1}};
    tick();
    EXPECT_EQ(ring(1).at(0).colour, COLOUR_ERASED);
    EXPECT_LT(heading, 0.0f);

    handovers = {{3, {100, 100}, NO_ANGLE, 1}};
    tick();
    EXPECT_NEAR(heading, 0.0f, 0.01);
    EXPECT_EQ(ring(1).at(1).colour, GREEN_CLASS);

    handovers = {{3, {200, 100}, NO_ANGLE, 1}};
    tick();
    EXPECT_NEAR(heading, 90.0f, 0.01);
    // Joined only from a drawable point: the first segment stays out.
    EXPECT_TRUE(colourAt(chartSurface.screen, 100, 150) == QColor(Qt::white));
}

TEST_F(CurrentTrackDrawing, PingsOnlyModeDropsImplausibleReadings)
{
    WriteVarnelProfileString("SONKEL32", "ShowPingsOnly", "1");
    handovers = {{3, {100, 100}, 90.0f, 0, GREEN_E2, 2.5f, 0.0f}};
    tick();
    EXPECT_TRUE(ring(0).empty());
    // The dropped reading does not come back with the next fix.
    handovers = {{1, {110, 100}, 90.0f, 0, GREEN_E2, 1.0f, 0.0f}};
    tick();
    EXPECT_TRUE(ring(0).empty());

    handovers = {{3, {120, 100}, 90.0f, 0, GREEN_E2, 1.0f, 0.0f}};
    tick();
    EXPECT_EQ(ring(0).size(), 1u);
}

TEST_F(CurrentTrackDrawing, PaintDrawsEveryShownSlotWithGapsAtErasedPoints)
{
    for (TrackPoint p : {pointAt(100, 100), pointAt(150, 100, COLOUR_ERASED), pointAt(200, 100), pointAt(250, 100)})
        AppendToRing(0, p);
    for (TrackPoint p : {pointAt(100, 200), pointAt(250, 200)})
        AppendToRing(5, p);
    afShowTransducer[5] = 0;
    QImage image = drawn([&](QPainter& dc) { RedrawCurrentTrack(chartWindow, dc); });
    afShowTransducer[5] = 1;
    EXPECT_EQ(colourAt(image, 125, 100), QColor(Qt::white));
    EXPECT_EQ(colourAt(image, 175, 100), QColor(Qt::white));
    EXPECT_EQ(colourAt(image, 225, 100), palette(GREEN_CLASS));
    EXPECT_EQ(colourAt(image, 175, 200), QColor(Qt::white));

    image = drawn([&](QPainter& dc) { RedrawCurrentTrack(chartWindow, dc); });
    EXPECT_EQ(colourAt(image, 175, 200), palette(GREEN_CLASS));

    globaltrackstatus.field[TS_CURRENT_VISIBLE] = 0;
    image = drawn([&](QPainter& dc) { RedrawCurrentTrack(chartWindow, dc); });
    EXPECT_EQ(colourAt(image, 225, 100), QColor(Qt::white));
}

TEST_F(CurrentTrackDrawing, DepthColouringDrawsTheDepthBand)
{
    globaltrackstatus.field[TS_CURRENT_BY_CLASS] = 0;
    globaltrackstatus.field[TS_CURRENT_COLOUR] = 5;
    RecreateCurrentTrackPens();
    colourByDepth[0] = 5.0f;
    colourByDepth[1] = 1.0f;
    AppendToRing(0, pointAt(100, 100, GREEN_CLASS, 16.9f));
    AppendToRing(0, pointAt(200, 100, GREEN_CLASS, 16.9f));
    QImage image = drawn([&](QPainter& dc) { RedrawCurrentTrack(chartWindow, dc); });
    EXPECT_EQ(colourAt(image, 150, 100), palette(46));
}

TEST_F(CurrentTrackDrawing, TickDuringATickIsTurnedAway)
{
    int inner = -1;
    duringHandover = [&] { inner = OnNewReading(chartWindow); };
    handovers = {{3, {100, 100}, 90.0f}, {3, {200, 100}, 90.0f}};
    EXPECT_EQ(OnNewReading(chartWindow), 0);
    EXPECT_EQ(inner, 1);
    EXPECT_EQ(handovers.size(), 1u);
    EXPECT_EQ(ring(0).size(), 1u);
}

TEST_F(CurrentTrackDrawing, SegmentFromFarBeyondTheWindowIsDrawnWithinIt)
{
    AppendToRing(0, pointAt(-400000, 100));
    AppendToRing(0, pointAt(200, 100));
    QImage image = drawn([&](QPainter& dc) { RedrawCurrentTrack(chartWindow, dc); });
    EXPECT_EQ(colourAt(image, 0, 100), palette(GREEN_CLASS));
    EXPECT_EQ(colourAt(image, 150, 100), palette(GREEN_CLASS));
    EXPECT_EQ(colourAt(image, 210, 100), QColor(Qt::white));
}
