// The demo chart agrees with the seabed model the simulator sails over.
#include "chartdata.h"
#include "democell.h"
#include "seabed/seabedmodel.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <stdlib.h>
#include <set>

using namespace euro32;

namespace {

bool inside(const std::vector<GeoPoint>& ring, GeoPoint p)
{
    bool in = false;
    for (size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++)
        if ((ring[i].lat > p.lat) != (ring[j].lat > p.lat) &&
            p.lon < (ring[j].lon - ring[i].lon) * (p.lat - ring[i].lat) / (ring[j].lat - ring[i].lat) + ring[i].lon)
            in = !in;
    return in;
}

bool insideArea(const ChartFeature& f, GeoPoint p)
{
    int crossings = 0;
    for (const auto& ring : f.parts)
        crossings += inside(ring, p);
    return crossings % 2 == 1;
}

class DemoChart : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        char pattern[] = "/tmp/euro32-demo-XXXXXX"; // test cases may run side by side
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        chartmaker::S57CellWriter cell({chartmaker::kDemoCellName, 22000, "20260101", ""});
        std::string error;
        ASSERT_TRUE(chartmaker::buildDemoCell(cell, &error)) << error;
        ASSERT_TRUE(cell.write((dir / chartmaker::kDemoCellName).string(), &error)) << error;
        LoadResult r = loadChart((dir / chartmaker::kDemoCellName).string());
        ASSERT_TRUE(r.chart) << r.error;
        chart = r.chart;
    }
    static void TearDownTestSuite() { std::filesystem::remove_all(dir); }

    static inline std::filesystem::path dir;
    static inline std::shared_ptr<ChartData> chart;
};

} // namespace

TEST_F(DemoChart, HoldsTheFeaturesOfASmallCoastalCell)
{
    std::map<FeatureKind, int> counts;
    std::set<std::pair<double, double>> bands;
    for (const ChartFeature& f : chart->features) {
        ++counts[f.kind];
        if (f.kind == FeatureKind::DepthArea)
            bands.insert({f.value1, f.value2});
    }
    EXPECT_EQ(chart->name, "TV5DEMO1");
    EXPECT_GE(counts[FeatureKind::Land], 2) << "mainland and island";
    EXPECT_GE(counts[FeatureKind::Coastline], 2);
    EXPECT_GE(counts[FeatureKind::Contour], 4);
    EXPECT_GE(counts[FeatureKind::Sounding], 100);
    EXPECT_EQ(counts[FeatureKind::Buoy], 8);
    EXPECT_GE(counts[FeatureKind::Light], 2);
    EXPECT_EQ(counts[FeatureKind::Coverage], 1);
    for (auto band : {std::pair{0.0, 5.0}, {5.0, 10.0}, {10.0, 20.0}, {20.0, 50.0}})
        EXPECT_TRUE(bands.count(band)) << band.first << "-" << band.second;
    EXPECT_NEAR(chart->extent.west, seabed::kWest, 1e-6);
    EXPECT_NEAR(chart->extent.north, seabed::kNorth, 1e-6);
}

TEST_F(DemoChart, SoundingsAndDepthAreasAgreeWithTheSeabedModel)
{
    int checked = 0;
    for (const ChartFeature& f : chart->features) {
        if (f.kind != FeatureKind::Sounding)
            continue;
        const GeoPoint p = f.parts[0][0];
        EXPECT_NEAR(f.value1, seabed::depthAt(p.lat, p.lon), 0.06);
        // The depth area under the sounding brackets it (a grid cell's worth of slack).
        for (const ChartFeature& area : chart->features)
            if (area.kind == FeatureKind::DepthArea && insideArea(area, p)) {
                EXPECT_GE(f.value1, area.value1 - 1.0);
                EXPECT_LE(f.value1, area.value2 + 1.0);
                ++checked;
            }
    }
    EXPECT_GE(checked, 100);
}
