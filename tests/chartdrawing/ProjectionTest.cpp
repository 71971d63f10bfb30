// Positions become pixels through a table of the view's rows: it must give exactly the pixels
// the engine gives, row boundaries included.
#include "DrawingFixture.h"

#include "euro32/euro32qt.h"

#include <QPainter>

#include <random>

class TrackProjection : public DrawingTest {};

TEST_F(TrackProjection, TableGivesTheEnginesPixels)
{
    euro32::ViewProjection projection;
    ASSERT_TRUE(euro32::viewProjection(engineWindow, &projection));
    const euro32::ViewPixels view(projection);
    auto same = [&](int32_t lon, int32_t lat) {
        int ex = 0, ey = 0, x = 0, y = 0;
        const bool engine = EC_GeosToPixel(lon, lat, &ex, &ey, engineWindow) > 0;
        const bool table = view.toPixel(lon, lat, &x, &y);
        return engine == table && (!engine || (ex == x && ey == y));
    };
    // Every latitude unit across a few rows, crossing their boundaries.
    const TrackPoint middle = pointAt(200, 150);
    for (int32_t lat = middle.lat - 6000; lat <= middle.lat + 6000; ++lat)
        ASSERT_TRUE(same(middle.lon, lat)) << lat;
    // Positions all over the window and well beyond it.
    std::mt19937 random(7);
    std::uniform_int_distribution<int32_t> lon(117000000, 120000000), lat(576000000, 578000000);
    for (int i = 0; i < 200000; ++i) {
        const int32_t x = lon(random), y = lat(random);
        ASSERT_TRUE(same(x, y)) << x << "," << y;
    }
    ASSERT_TRUE(same(-1800000000, 900000000));
}

TEST_F(TrackProjection, TrackIsDrawnThroughAPainterThatClips)
{
    std::vector<TrackPoint> points;
    for (int x = 50; x <= 350; x += 10)
        points.push_back(pointAt(x, 150));
    storeTrack(points);
    QImage image = drawn([&](QPainter& dc) {
        dc.setClipRect(0, 0, 200, WINDOW_HEIGHT);
        RedrawPastTracksToBitmap(chartWindow, dc);
    });
    EXPECT_EQ(colourAt(image, 125, 150), palette(GREEN_CLASS));
    EXPECT_EQ(colourAt(image, 125, 140), QColor(Qt::white));
    EXPECT_EQ(colourAt(image, 250, 150), QColor(Qt::white));
}
