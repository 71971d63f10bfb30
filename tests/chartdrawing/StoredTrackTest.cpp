// Stored tracks drawn into the painting source: where and in which colours their points land.
#include "DrawingFixture.h"

#include "chart/ChartColours.h"
#include "platform/profile.h"
#include "platform/winuser.h"
#include "recording/VesselState.h"

#include <QPainter>

#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Points every `spacing` pixels along row y.
std::vector<TrackPoint> Row(const std::function<TrackPoint(int, int)>& at, int y, int fromX, int toX, int spacing)
{
    std::vector<TrackPoint> points;
    for (int x = fromX; x <= toX; x += spacing)
        points.push_back(at(x, y));
    return points;
}

} // namespace

class StoredTrackDrawing : public DrawingTest {
protected:
    std::vector<TrackPoint> row(int y, int fromX, int toX, int spacing, int16_t colour = GREEN_CLASS)
    {
        return Row([&](int x, int yy) { return pointAt(x, yy, colour); }, y, fromX, toX, spacing);
    }
    QImage redraw(int* result = nullptr)
    {
        return drawn([&](QPainter& dc) {
            int r = RedrawPastTracksToBitmap(chartWindow, dc);
            if (result)
                *result = r;
        });
    }
};

TEST_F(StoredTrackDrawing, WindowIsTheExpectedSize)
{
    RECT client;
    ASSERT_TRUE(GetClientRect(engineWindow, &client));
    EXPECT_EQ(client.right - client.left, WINDOW_WIDTH);
    EXPECT_EQ(client.bottom - client.top, WINDOW_HEIGHT);
}

TEST_F(StoredTrackDrawing, JoinedTrackIsDrawnInItsClassColoursWhereItLies)
{
    std::vector<TrackPoint> points = row(150, 50, 190, 10, GREEN_CLASS);
    for (const TrackPoint& p : row(150, 200, 350, 10, MAGENTA_CLASS))
        points.push_back(p);
    storeTrack(points);

    int result = -1;
    QImage image = redraw(&result);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(colourAt(image, 50, 150), palette(GREEN_CLASS));
    EXPECT_EQ(colourAt(image, 125, 150), palette(GREEN_CLASS)); // between points: joined
    EXPECT_EQ(colourAt(image, 300, 150), palette(MAGENTA_CLASS));
    EXPECT_EQ(colourAt(image, 345, 150), palette(MAGENTA_CLASS));
    EXPECT_EQ(colourAt(image, 125, 140), QColor(Qt::white)); // the pen is 3 pixels wide
    EXPECT_EQ(colourAt(image, 20, 150), QColor(Qt::white));
    EXPECT_EQ(colourAt(image, 375, 150), QColor(Qt::white));
}

TEST_F(StoredTrackDrawing, DotsWhenPointsAreNotJoined)
{
    storeTrack(row(100, 50, 350, 20));
    globaltrackstatus.field[TS_PAST_JOIN] = 0;
    QImage image = redraw();
    EXPECT_EQ(colourAt(image, 50, 100), palette(GREEN_CLASS));
    EXPECT_EQ(colourAt(image, 70, 100), palette(GREEN_CLASS));
    EXPECT_EQ(colourAt(image, 60, 100), QColor(Qt::white));
}

TEST_F(StoredTrackDrawing, TrackInThePaintersOwnPenIsDrawn)
{
    storeTrack(row(100, 50, 350, 10, COLOUR_UNCLASSIFIED));
    QImage image = drawn([&](QPainter& dc) {
        dc.setPen(PastTrackPens[COLOUR_UNCLASSIFIED]);
        RedrawPastTracksToBitmap(chartWindow, dc);
    });
    EXPECT_EQ(colourAt(image, 105, 100), QColor(Qt::black));
}

TEST_F(StoredTrackDrawing, ErasedPointBreaksTheLine)
{
    std::vector<TrackPoint> points = {pointAt(100, 150), pointAt(150, 150, COLOUR_ERASED), pointAt(200, 150),
                                      pointAt(250, 150)};
    storeTrack(points);
    QImage image = redraw();
    EXPECT_EQ(colourAt(image, 150, 150), QColor(Qt::white));
    EXPECT_EQ(colourAt(image, 175, 150), QColor(Qt::white));
    EXPECT_EQ(colourAt(image, 225, 150), palette(GREEN_CLASS));
}

TEST_F(StoredTrackDrawing, PlotDensityChoosesEveryNthPoint)
{
    storeTrack(row(100, 20, 380, 20)); // points 0..18
    globaltrackstatus.field[TS_PAST_JOIN] = 0;
    struct Case {
        int density;
        int every; // every this many points drawn
    };
    for (Case c : {Case{100, 1}, Case{50, 2}, Case{34, 2}, Case{25, 4}, Case{0, 1}, Case{300, 1}, Case{-5, 1}}) {
        plotDensity = c.density;
        QImage image = redraw();
        for (int i = 0; i <= 18; ++i) {
            QColor expected = i % c.every == 0 ? palette(GREEN_CLASS) : QColor(Qt::white);
            EXPECT_EQ(colourAt(image, 20 + 20 * i, 100), expected) << "density " << c.density << ", point " << i;
        }
    }
}

TEST_F(StoredTrackDrawing, DepthColouringDrawsTheBandAndLeavesTheFileAlone)
{
    colourByDepth[0] = 5.0f;
    colourByDepth[1] = 1.0f;
    std::vector<TrackPoint> points = {pointAt(50, 100, GREEN_CLASS, 6.5f), pointAt(60, 100, GREEN_CLASS, 6.5f),
                                      pointAt(250, 100, COLOUR_NO_CLASSIFICATION, 6.5f),
                                      pointAt(260, 100, COLOUR_NO_CLASSIFICATION, 6.5f)};
    uint32_t handle = storeTrack(points);
    globaltrackstatus.field[TS_PAST_BY_CLASS] = 0;
    globaltrackstatus.field[TS_PAST_COLOUR] = 5;
    RecreatePastTrackPens();
    QImage image = redraw();
    EXPECT_EQ(colourAt(image, 55, 100), palette(36));
    EXPECT_EQ(colourAt(image, 255, 100), palette(COLOUR_NO_CLASSIFICATION));
    std::vector<TrackPoint> stored = readTrack(handle);
    ASSERT_EQ(stored.size(), 4u);
    EXPECT_EQ(stored[0].colour, GREEN_CLASS);
    EXPECT_EQ(stored[2].colour, COLOUR_NO_CLASSIFICATION);
}

TEST_F(StoredTrackDrawing, NothingIsDrawnZoomedOutBeyondOneAndTwoThirdsDegrees)
{
    storeTrack(row(150, 50, 350, 10));
    // 1.2 degrees of latitude fit (the window is wider than tall), 2 degrees do not.
    ASSERT_NE(EC_ChangeChartArea(engineWindow, 113000000, 583000000, 124000000, 571000000), 0);
    int result = -1;
    QImage image = redraw(&result);
    EXPECT_EQ(result, 0);
    bool anyTrack = false;
    for (int y = 0; y < WINDOW_HEIGHT && !anyTrack; ++y)
        for (int x = 0; x < WINDOW_WIDTH && !anyTrack; ++x)
            anyTrack = colourAt(image, x, y) == palette(GREEN_CLASS);
    EXPECT_TRUE(anyTrack);

    ASSERT_NE(EC_ChangeChartArea(engineWindow, 113000000, 587000000, 124000000, 567000000), 0);
    fs::remove(host("c:\\varnel\\coords.dat"));
    image = redraw(&result);
    EXPECT_EQ(result, 1);
    QImage white(WINDOW_WIDTH, WINDOW_HEIGHT, QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_EQ(image, white);
    EXPECT_FALSE(fs::exists(host("c:\\varnel\\coords.dat")));
}

TEST_F(StoredTrackDrawing, PastTrackIsLeftForPaintTimeAndDrawnThenWhenShown)
{
    uint32_t other = storeTrack(row(100, 50, 350, 10));
    uint32_t past = storeTrack(row(200, 50, 350, 10, MAGENTA_CLASS));
    globaltrackstatus.field[TS_PAST_HANDLE] = int32_t(past);
    globalpasttrackinfo = trackEntry(past);

    QImage image = redraw();
    EXPECT_EQ(colourAt(image, 105, 100), palette(GREEN_CLASS));
    EXPECT_EQ(colourAt(image, 105, 200), QColor(Qt::white));

    globaltrackstatus.field[TS_SHOW_ALL_TRACKS] = 0;
    image = drawn([&](QPainter& dc) { DrawSelectedPastTrack(chartWindow, dc); });
    EXPECT_EQ(colourAt(image, 105, 200), QColor(Qt::white)) << "neither past track nor all tracks shown";
    globaltrackstatus.field[TS_PAST_VISIBLE] = 1;
    image = drawn([&](QPainter& dc) { DrawSelectedPastTrack(chartWindow, dc); });
    EXPECT_EQ(colourAt(image, 105, 200), palette(MAGENTA_CLASS));
    EXPECT_EQ(colourAt(image, 105, 100), QColor(Qt::white));
    (void)other;
}

TEST_F(StoredTrackDrawing, EveryDatabaseShownIsDrawnAndAMissingOneStops)
{
    storeTrack(row(100, 50, 350, 10));
    uint32_t past = storeTrack(row(200, 50, 350, 10));
    globaltrackstatus.field[TS_PAST_HANDLE] = int32_t(past);
    // A second database: a copy of the active one, whose handle numbers mean its own tracks.
    fs::copy(host("c:\\varnel\\database"), host("c:\\varnel") / "survey2", fs::copy_options::recursive);
    ASSERT_EQ(DBDeleteObject(TRACK_OVERLAY, OBJ_TRACK, 2), 1);
    SetDatabasesToShow({"database", "survey2"});

    int result = -1;
    QImage image = redraw(&result);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(colourAt(image, 105, 100), palette(GREEN_CLASS)); // deleted here, kept in survey2
    EXPECT_EQ(colourAt(image, 105, 200), palette(GREEN_CLASS)); // survey2's own track 3

    SetDatabasesToShow({"nosuchdb", "database"});
    image = redraw(&result);
    EXPECT_EQ(result, 2);
    EXPECT_EQ(colourAt(image, 105, 200), QColor(Qt::white));
}

TEST_F(StoredTrackDrawing, ClosingStopsTheDrawing)
{
    storeTrack(row(150, 50, 350, 10));
    DestroyWindow(chartWindow);
    int result = -1;
    QImage image = redraw(&result);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(colourAt(image, 105, 150), QColor(Qt::white));
}

TEST_F(StoredTrackDrawing, OutlinesOfTracksWhollyInView)
{
    uint32_t inView = storeTrack({pointAt(100, 100), pointAt(200, 150)});
    uint32_t past = storeTrack({pointAt(250, 200), pointAt(300, 250)});
    storeTrack({pointAt(350, 50), pointAt(450, 60)}); // reaches beyond the window
    globaltrackstatus.field[TS_OUTLINING] = 1;
    globaltrackstatus.field[TS_PAST_HANDLE] = int32_t(past);
    QImage image = drawn([&](QPainter& dc) {
        dc.setPen(QPen(Qt::blue, 1));
        RedrawAllPastTracks(chartWindow, dc);
    });
    EXPECT_EQ(colourAt(image, 150, 100), QColor(Qt::blue));  // top side
    EXPECT_EQ(colourAt(image, 100, 125), QColor(Qt::blue));  // left side
    EXPECT_EQ(colourAt(image, 90, 100), QColor(Qt::blue));   // ring round the corner
    EXPECT_EQ(colourAt(image, 150, 125), QColor(Qt::white)); // hollow
    EXPECT_EQ(colourAt(image, 275, 200), palette(11));       // the past track in red
    EXPECT_EQ(colourAt(image, 375, 50), QColor(Qt::white));
    (void)inView;

    globaltrackstatus.field[TS_OUTLINING] = 0;
    image = drawn([&](QPainter& dc) { RedrawAllPastTracks(chartWindow, dc); });
    EXPECT_EQ(colourAt(image, 150, 100), QColor(Qt::white));
}

TEST_F(StoredTrackDrawing, ViewHandOffFileDescribesTheViewVesselAndCursor)
{
    vessellatitude = 577000000;
    vessellongitude = 118500000;
    heading = 123.9f;
    int32_t west, north, east, south;
    ASSERT_GT(EC_PixelToGeos(0, 0, &west, &north, engineWindow), 0);
    ASSERT_GT(EC_PixelToGeos(WINDOW_WIDTH, WINDOW_HEIGHT, &east, &south, engineWindow), 0);
    redraw();

    std::string bytes = TempDataRoot::readFile(host("c:\\varnel\\coords.dat"));
    ASSERT_EQ(bytes.size(), 34u);
    int32_t values[8];
    int16_t shortHeading;
    std::memcpy(values, bytes.data(), sizeof values);
    std::memcpy(&shortHeading, bytes.data() + 32, 2);
    EXPECT_EQ(values[0], north);
    EXPECT_EQ(values[1], west);
    EXPECT_EQ(values[2], south);
    EXPECT_EQ(values[3], east);
    EXPECT_EQ(values[4], 577000000);
    EXPECT_EQ(values[5], 118500000);
    EXPECT_EQ(values[6], NO_POSITION_LAT);
    EXPECT_EQ(values[7], NO_POSITION_LONG);
    EXPECT_EQ(shortHeading, 123);
    EXPECT_EQ(GetPrivateProfileIntA("LastPos", "Top", 0, "VARNEL.INI"), UINT(north));

    // While the outside viewer's lock file exists the file is left alone.
    TempDataRoot::writeFile(host("c:\\varnel\\~kcin.ini"), "");
    fs::remove(host("c:\\varnel\\coords.dat"));
    redraw();
    EXPECT_FALSE(fs::exists(host("c:\\varnel\\coords.dat")));
    heading = -1.0f;
}
