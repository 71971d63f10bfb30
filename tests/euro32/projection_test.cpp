// Geographic <-> pixel conversion and chart areas, straight on the projection and through the
// engine's interface.
#include "enginefixture.h"

#include "projection.h"

#include <cmath>

using namespace euro32;

namespace {

struct RoundTripCase {
    double centreLon;
    double centreLat;
    double scale;
};

// Pixel errors of a round trip through both directions at points across the window.
void expectRoundTripWithinOnePixel(const View& v)
{
    for (double fx : {0.0, 0.13, 0.5, 0.77, 1.0})
        for (double fy : {0.0, 0.31, 0.5, 0.92, 1.0}) {
            const PixelPoint p{fx * v.width, fy * v.height};
            const GeoPoint g = pixelToGeo(v, p);
            // Through the interface's 1e-7 degree units, as the program sees it.
            const GeoPoint stored{fromUnits(toUnits(g.lon)), fromUnits(toUnits(g.lat))};
            const PixelPoint back = geoToPixel(v, stored);
            EXPECT_NEAR(back.x, p.x, 1.0) << "at " << fx << "," << fy;
            EXPECT_NEAR(back.y, p.y, 1.0) << "at " << fx << "," << fy;
        }
}

} // namespace

TEST(Projection, RoundTripWithinOnePixelAtScalesAndLatitudes)
{
    const RoundTripCase cases[] = {
        {11.85, 57.70, 1000},     {11.85, 57.70, 25000},  {11.85, 57.70, 1e6},
        {-70.0, -60.0, 5000},     {0.0, 0.0, 100000},      {20.0, 80.0, 50000},
        {179.999, 10.0, 10000},   {-179.999, -45.0, 2000}, {0.0, 0.0, 5e7},
    };
    for (const auto& c : cases) {
        View v;
        resize(v, 1024, 768);
        centreAt(v, {c.centreLon, c.centreLat});
        setScaleDenominator(v, c.scale);
        SCOPED_TRACE(testing::Message() << c.centreLon << "," << c.centreLat << " 1:" << c.scale);
        expectRoundTripWithinOnePixel(v);
    }
}

TEST(Projection, PointsAcrossTheMeridianLieBesideTheCentre)
{
    View v;
    resize(v, 800, 600);
    centreAt(v, {179.99, 0.0});
    setScaleDenominator(v, 50000);
    const PixelPoint east = geoToPixel(v, {-179.99, 0.0});
    const PixelPoint west = geoToPixel(v, {179.98, 0.0});
    EXPECT_GT(east.x, 400.0);
    EXPECT_LT(east.x, 800.0);
    EXPECT_LT(west.x, 400.0);
    EXPECT_GT(west.x, 0.0);
    EXPECT_NEAR(pixelToGeo(v, east).lon, -179.99, 1e-7);
}

TEST(Projection, ScaleIsKeptBetweenOneToThousandAndTheWorld)
{
    View v;
    resize(v, 1024, 768);
    centreAt(v, {11.85, 57.7});
    setScaleDenominator(v, 10);
    EXPECT_NEAR(scaleDenominator(v), 1000.0, 1.0);
    showArea(v, {-180, -85, 180, 85});
    EXPECT_LE(v.degPerPixel * 256, 360.0 + 1e-9);
}

TEST_F(EngineTest, InterfaceConversionsRoundTripOnAWindow)
{
    start();
    HWND window = openWindow(640, 480);
    ASSERT_GT(EC_CenterChartAt(118500000, 577000000, window, 1, 0), 0);
    for (auto [x, y] : {std::pair{0, 0}, {639, 479}, {320, 240}, {17, 401}}) {
        int32_t lon = 0, lat = 0;
        ASSERT_GT(EC_PixelToGeos(x, y, &lon, &lat, window), 0);
        int bx = -1, by = -1;
        ASSERT_GT(EC_GeosToPixel(lon, lat, &bx, &by, window), 0);
        EXPECT_LE(std::abs(bx - x), 1);
        EXPECT_LE(std::abs(by - y), 1);
    }
    int x = 0, y = 0;
    EXPECT_EQ(EC_GeosToPixel(0, 0, &x, &y, reinterpret_cast<HWND>(0x1234)), 0) << "unknown window";
}

TEST_F(EngineTest, ChangeChartAreaShowsTheWholeAreaCentred)
{
    start();
    HWND window = openWindow(1024, 768);
    struct Case {
        int32_t west, north, east, south;
    };
    const Case cases[] = {
        {117000000, 577500000, 120000000, 576500000},      // the demo coast
        {1795000000, 100000000, -1795000000, -100000000},  // across 180 degrees
        {-50000000, 515000000, 10000000, 510000000},       // across Greenwich
    };
    for (const Case& c : cases) {
        ASSERT_GT(EC_ChangeChartArea(window, c.west, c.north, c.east, c.south), 0);
        int32_t w, n, e, s;
        ASSERT_GT(EC_GetChartArea(window, &w, &n, &e, &s), 0);
        const double requestedSpan = std::fmod(c.east - double(c.west) + 3600000000.0, 3600000000.0);
        const double shownSpan = std::fmod(e - double(w) + 3600000000.0, 3600000000.0);
        EXPECT_GE(shownSpan, requestedSpan - 2);
        EXPECT_GE(n, c.north - 2);
        EXPECT_LE(s, c.south + 2);
        // Centred: equal margins east and west.
        const double westMargin = std::fmod(c.west - double(w) + 3600000000.0, 3600000000.0);
        const double eastMargin = std::fmod(e - double(c.east) + 3600000000.0, 3600000000.0);
        EXPECT_NEAR(westMargin, eastMargin, 1e4);
        // One side fits exactly.
        EXPECT_TRUE(std::abs(shownSpan - requestedSpan) < 1e4 ||
                    (std::abs(n - c.north) < 1e4 && std::abs(s - c.south) < 1e4));
    }
}

TEST_F(EngineTest, SidesGivenTheWrongWayRoundShowTheSameArea)
{
    // A zoom box dragged from right to left gives east before west; only a west beyond east
    // that spans less than half the earth is an area across the 180 degree meridian.
    start();
    HWND window = openWindow(800, 600);
    int32_t in[4], swapped[4];
    ASSERT_GT(EC_ChangeChartArea(window, 117000000, 577500000, 120000000, 576500000), 0);
    EC_GetChartArea(window, &in[0], &in[1], &in[2], &in[3]);
    ASSERT_GT(EC_ChangeChartArea(window, 120000000, 576500000, 117000000, 577500000), 0);
    EC_GetChartArea(window, &swapped[0], &swapped[1], &swapped[2], &swapped[3]);
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(swapped[i], in[i], 2) << "side " << i;
}

TEST_F(EngineTest, WorldViewAreaIsTheWholeEarth)
{
    start();
    HWND window = openWindow(1024, 768);
    ASSERT_GT(EC_ChangeChartArea(window, -1800000000, 800000000, 1800000000, -800000000), 0);
    int32_t w, n, e, s;
    ASSERT_GT(EC_GetChartArea(window, &w, &n, &e, &s), 0);
    EXPECT_EQ(w, -1800000000);
    EXPECT_EQ(e, 1800000000);
    EXPECT_GE(n, 800000000 - 10);
    EXPECT_LE(s, -800000000 + 10);
}

TEST_F(EngineTest, CenterChartAtKeepsTheSpanAndMovesTheCentre)
{
    start();
    HWND window = openWindow(800, 600);
    ASSERT_GT(EC_ChangeChartArea(window, 117000000, 577500000, 120000000, 576500000), 0);
    int32_t w0, n0, e0, s0;
    EC_GetChartArea(window, &w0, &n0, &e0, &s0);
    ASSERT_GT(EC_CenterChartAt(119000000, 578000000, window, 1, 1), 0);
    int32_t w, n, e, s;
    EC_GetChartArea(window, &w, &n, &e, &s);
    EXPECT_NEAR(e - w, e0 - w0, 2);
    EXPECT_NEAR((w + e) / 2.0, 119000000, 2);
    int x, y;
    ASSERT_GT(EC_GeosToPixel(119000000, 578000000, &x, &y, window), 0);
    EXPECT_NEAR(x, 400, 1);
    EXPECT_NEAR(y, 300, 1);
}
