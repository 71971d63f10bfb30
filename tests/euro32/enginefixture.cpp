#include "enginefixture.h"

#include "platform/files.h"
#include "platform/messages.h"
#include "platform/profile.h"

#include <cstdlib>
#include <string>

namespace testcell {

double stripCentre(int strip)
{
    return kWest + (strip + 0.5) * kStrip;
}

void write(const std::filesystem::path& path, const std::string& name)
{
    using namespace chartmaker;
    S57CellWriter cell({name, 20000, "20260101", "test cell"});
    auto strip = [](int i) {
        const double w = kWest + i * kStrip, e = w + kStrip;
        return Ring{{w, kSouth}, {w, kNorth}, {e, kNorth}, {e, kSouth}};
    };
    cell.addArea("M_COVR", {{{kWest, kSouth}, {kWest, kNorth}, {kWest + 5 * kStrip, kNorth},
                             {kWest + 5 * kStrip, kSouth}}},
                 {{"CATCOV", "1"}});
    cell.addArea("LNDARE", {strip(0)});
    const char* bands[][2] = {{"0", "5"}, {"5", "10"}, {"10", "20"}, {"20", "50"}};
    for (int i = 0; i < 4; ++i)
        cell.addArea("DEPARE", {strip(i + 1)}, {{"DRVAL1", bands[i][0]}, {"DRVAL2", bands[i][1]}});
    const double contourLon = kWest + 3 * kStrip;
    cell.addLine("DEPCNT", {{contourLon, kSouth}, {contourLon, kNorth}}, {{"VALDCO", "10"}});
    cell.addSoundings({{kSoundingLon, kSoundingLat, 7.3}});
    cell.addPoint("BOYLAT", {stripCentre(4), kBuoyLat}, {{"CATLAM", "1"}, {"COLOUR", "3"}});
    cell.addPoint("BOYCAR", {stripCentre(4), kCardinalLat}, {{"CATCAM", "3"}, {"COLOUR", "6,2"}});
    std::string error;
    ASSERT_TRUE(cell.write(path.string(), &error)) << error;
}

void writeUpdate(const std::filesystem::path& path, const std::string& name, int number)
{
    chartmaker::CellInfo info{name, 20000, "20260201", "test update"};
    info.updateNumber = number;
    info.recordIdBase = 1000 * number;
    chartmaker::S57CellWriter update(info);
    update.addPoint("WRECKS", {stripCentre(3), kWreckLat}, {{"CATWRK", "2"}});
    std::string error;
    ASSERT_TRUE(update.write(path.string(), &error)) << error;
}

} // namespace testcell

void EngineTest::SetUp()
{
    root_ = std::make_unique<TempDataRoot>();
    std::filesystem::create_directories(chartFolder());
    win::scripted::listen();
    // Plain backgrounds make the pixel checks exact: no grid, no coverage line.
    setDisplay("Grid", "0");
    setDisplay("Coverage", "0");
}

void EngineTest::TearDown()
{
    if (started_)
        EC_ExitChartingSystem();
    win::scripted::stopListening();
    root_.reset();
}

std::filesystem::path EngineTest::chartFolder() const
{
    return root_->driveC() / "varnel" / "charts";
}

void EngineTest::setDisplay(const char* key, const char* value)
{
    WritePrivateProfileStringA("DISPLAY", key, value, "c:\\varnel\\chart.ini");
}

void EngineTest::start()
{
    ASSERT_NE(EC_initChartingSystem(6001, 0, nullptr, 2010, "test", 0, 0), 0);
    started_ = true;
}

HWND EngineTest::openWindow(int width, int height)
{
    HWND window = EC_CreateChartWindow(1, 1, width, height);
    EXPECT_NE(window, nullptr);
    return window;
}

QColor EngineTest::pixelAt(HWND window, double lon, double lat)
{
    int x = 0, y = 0;
    EXPECT_GT(EC_GeosToPixel(static_cast<int32_t>(lon * 1e7), static_cast<int32_t>(lat * 1e7), &x, &y,
                             window), 0);
    return capture(window).pixelColor(x, y);
}

bool near(const QColor& a, const QColor& b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}
