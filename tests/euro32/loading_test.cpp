// Reading charts: damaged files are reported and left out while the other charts stay shown;
// other vector files load as plain layers.
#include "enginefixture.h"

#include "chartdata.h"
#include "colours.h"

#include "platform/messages.h"

#include <QWidget>

#include <fstream>

using namespace euro32;

namespace {

void writeBytes(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::string readBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

TEST_F(EngineTest, DamagedChartsAreReportedAndTheGoodOneStillShown)
{
    testcell::write(chartFolder() / "TVTEST01.000");
    const std::string good = readBytes(chartFolder() / "TVTEST01.000");
    writeBytes(chartFolder() / "TRUNC001.000", good.substr(0, good.size() / 2));
    writeBytes(chartFolder() / "GARBAGE1.000", std::string(3000, '\x5a'));
    writeBytes(chartFolder() / "EMPTY001.000", "");
    start();

    const auto boxes = win::scripted::boxes();
    ASSERT_EQ(boxes.size(), 3u);
    for (const auto& box : boxes) {
        EXPECT_EQ(box.caption, "Chart Manager");
        EXPECT_NE(box.text.find("Can't load chart \""), std::string::npos) << box.text;
        EXPECT_EQ(box.type & MB_ICONMASK, MB_ICONEXCLAMATION);
    }
    HWND window = openWindow(500, 300);
    EXPECT_EQ(chartWidget(window)->windowTitle().toStdString(), "TVTEST01");
    EXPECT_TRUE(near(pixelAt(window, testcell::stripCentre(0), 60.018), colour(Scheme::Day, Colour::Land), 2));
}

TEST(ChartLoading, TruncationsOfAValidCellNeverCrash)
{
    char dir[] = "/tmp/euro32-trunc-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::filesystem::path cell = std::filesystem::path(dir) / "TVTEST01.000";
    testcell::write(cell);
    const std::string bytes = readBytes(cell);
    int loaded = 0;
    for (size_t cut = 0; cut < bytes.size(); cut += 97) {
        writeBytes(cell, bytes.substr(0, cut));
        const LoadResult r = loadChart(cell.string());
        EXPECT_TRUE(r.chart || !r.error.empty()) << "cut at " << cut;
        loaded += r.chart != nullptr;
    }
    writeBytes(cell, bytes);
    EXPECT_TRUE(loadChart(cell.string()).chart);
    std::filesystem::remove_all(dir);
}

TEST(ChartLoading, OtherVectorFilesLoadAsPlainLayers)
{
    char dir[] = "/tmp/euro32-plain-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::filesystem::path file = std::filesystem::path(dir) / "route.geojson";
    writeBytes(file, R"({"type":"FeatureCollection","features":[{"type":"Feature","properties":{},
        "geometry":{"type":"LineString","coordinates":[[11.8,57.7],[11.9,57.72]]}}]})");
    const LoadResult r = loadChart(file.string());
    ASSERT_TRUE(r.chart) << r.error;
    EXPECT_FALSE(r.chart->nautical);
    EXPECT_EQ(r.chart->name, "route");
    ASSERT_EQ(r.chart->features.size(), 1u);
    EXPECT_EQ(r.chart->features[0].kind, FeatureKind::Plain);
    EXPECT_DOUBLE_EQ(r.chart->extent.east, 11.9);
    std::filesystem::remove_all(dir);
}

TEST(ChartLoading, PositionsBeyondTheEarthAreLeftOut)
{
    char dir[] = "/tmp/euro32-beyond-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    auto point = [](const char* x, const char* y) {
        return std::string(R"({"type":"Feature","properties":{},"geometry":{"type":"Point","coordinates":[)") +
               x + "," + y + "]}}";
    };
    // A damaged coordinate beside a good one; then a projected layer that does not say so.
    const std::filesystem::path mixed = std::filesystem::path(dir) / "mixed.geojson";
    writeBytes(mixed, R"({"type":"FeatureCollection","features":[)" + point("1e300", "10") + "," +
                          point("11.85", "57.7") + "]}");
    const LoadResult m = loadChart(mixed.string());
    ASSERT_TRUE(m.chart) << m.error;
    ASSERT_EQ(m.chart->features.size(), 1u);
    EXPECT_DOUBLE_EQ(m.chart->extent.west, 11.85);

    const std::filesystem::path metres = std::filesystem::path(dir) / "metres.geojson";
    writeBytes(metres, R"({"type":"FeatureCollection","features":[{"type":"Feature","properties":{},
        "geometry":{"type":"LineString","coordinates":[[650000,6397000],[651000,6398000]]}}]})");
    const LoadResult p = loadChart(metres.string());
    EXPECT_FALSE(p.chart);
    EXPECT_EQ(p.error, "its positions are not longitude and latitude on the earth");
    std::filesystem::remove_all(dir);
}

TEST_F(EngineTest, LayersAcrossTheMeridianAreDrawnOnBothSides)
{
    // An island from 179 E to 179 W written as one ring stepping across 180 degrees.
    writeBytes(chartFolder() / "dateline.geojson",
               R"({"type":"FeatureCollection","features":[{"type":"Feature","properties":{},
        "geometry":{"type":"Polygon","coordinates":[[[179,-1],[180,-1],[-179,-1],[-179,1],[180,1],[179,1],[179,-1]]]}}]})");
    start();
    HWND window = openWindow(400, 300);
    ASSERT_GT(EC_ChangeChartArea(window, 1750000000, 50000000, -1750000000, -50000000), 0);
    const QColor land = colour(Scheme::Day, Colour::BaseLand);
    EXPECT_TRUE(near(pixelAt(window, 179.5, 0.0), land, 2));
    EXPECT_TRUE(near(pixelAt(window, -179.5, 0.0), land, 2));
    EXPECT_FALSE(near(pixelAt(window, 177.0, 0.0), land, 2));
    EXPECT_FALSE(near(pixelAt(window, -177.0, 0.0), land, 2));
}

TEST_F(EngineTest, CellAcrossTheMeridianZoomsToItselfAndPointsOfPlainLayersShow)
{
    // Coverage from 179.99 E to 179.99 W; a depth area wholly on the western side.
    chartmaker::S57CellWriter cell({"TVDATE01.000", 20000, "20260101", "across 180"});
    cell.addArea("M_COVR", {{{179.99, -0.01}, {179.99, 0.01}, {-179.99, 0.01}, {-179.99, -0.01}}},
                 {{"CATCOV", "1"}});
    cell.addArea("DEPARE", {{{-179.998, -0.01}, {-179.998, 0.01}, {-179.99, 0.01}, {-179.99, -0.01}}},
                 {{"DRVAL1", "0"}, {"DRVAL2", "5"}});
    std::string error;
    ASSERT_TRUE(cell.write((chartFolder() / "TVDATE01.000").string(), &error)) << error;
    writeBytes(chartFolder() / "waypoint.geojson",
               R"({"type":"FeatureCollection","features":[{"type":"Feature","properties":{},
        "geometry":{"type":"Point","coordinates":[179.995,0.005]}}]})");
    start();
    HWND window = openWindow(400, 300);
    ASSERT_EQ(chartWidget(window)->windowTitle().toStdString(), "TVDATE01");
    int32_t w, n, e, s;
    ASSERT_GT(EC_GetChartArea(window, &w, &n, &e, &s), 0);
    EXPECT_GT(w, 1799000000) << "west of the meridian";
    EXPECT_LT(e, -1799000000) << "east of it";
    EXPECT_TRUE(near(pixelAt(window, -179.994, 0.0), colour(Scheme::Day, Colour::VeryShallow), 2));

    // The plain layer's point is marked in magenta.
    int x, y;
    ASSERT_GT(EC_GeosToPixel(1799950000, 50000, &x, &y, window), 0);
    const QImage image = capture(window);
    int marked = 0;
    for (int dy = -5; dy <= 5; ++dy)
        for (int dx = -5; dx <= 5; ++dx)
            marked += near(image.pixelColor(x + dx, y + dy), colour(Scheme::Day, Colour::Magenta), 40);
    EXPECT_GE(marked, 10);
}

TEST(ChartLoading, ProjectedLayersAreBroughtToLongitudeAndLatitude)
{
    char dir[] = "/tmp/euro32-utm-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::filesystem::path file = std::filesystem::path(dir) / "utm.geojson";
    // A point in UTM zone 32 N: 650000 E, 6397000 N lies near 57.7 N, 11.5 E.
    writeBytes(file, R"({"type":"FeatureCollection","crs":{"type":"name","properties":{"name":"urn:ogc:def:crs:EPSG::32632"}},
        "features":[{"type":"Feature","properties":{},"geometry":{"type":"Point","coordinates":[650000,6397000]}}]})");
    const LoadResult r = loadChart(file.string());
    ASSERT_TRUE(r.chart) << r.error;
    const GeoPoint p = r.chart->features.at(0).parts.at(0).at(0);
    EXPECT_NEAR(p.lat, 57.7, 0.1);
    EXPECT_NEAR(p.lon, 11.5, 0.1);
    std::filesystem::remove_all(dir);
}
