#include "DrawingFixture.h"

#include "chart/ChartColours.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/winuser.h"
#include "recording/ModuleBinding.h"

#include <QPainter>

#include <fstream>

namespace {

LRESULT QuietProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

void FillTestBox(BoxFile* box)
{
    FillDefaultBox(box);
    for (int column = 0; column < BOX_CELLS; ++column)
        for (auto& cell : box->grid[column])
            cell = column < BOX_CELLS / 2 ? GREEN_CLASS : MAGENTA_CLASS;
}

} // namespace

void DrawingTest::SetUp()
{
    root = std::make_unique<TempDataRoot>();
    win::scripted::listen();
    ASSERT_EQ(DBInitialiseDatabase('C'), 1);
    globaltrackstatus = DefaultTrackStatus();
    globaltrackstatus.field[TS_SHOW_ALL_TRACKS] = 1;
    FillTestBox(&boxFile);
    ASSERT_NE(EC_initChartingSystem(6001, 0, nullptr, 2010, "test", 0, 0), 0);
    engineWindow = EC_CreateChartWindow(1, 1, WINDOW_WIDTH, WINDOW_HEIGHT);
    ASSERT_NE(engineWindow, nullptr);
    ASSERT_NE(EC_ChangeChartArea(engineWindow, 118000000, 577200000, 119000000, 576700000), 0);
    chartSurface = ChartSurface{};
    chartSurface.engineWindow = engineWindow;
    chartWindow = win::createWindow("ChartWnd", "chart", QuietProc);
    ASSERT_TRUE(CreateChartPalette(nullptr));
    win::scripted::clear();
}

void DrawingTest::TearDown()
{
    if (IsWindow(chartWindow))
        DestroyWindow(chartWindow);
    EC_ExitChartingSystem();
    ClearCurrentTrackRings();
    for (CurrentTrackRing& ring : CurrentTrackRings)
        ring.boxSignature = 0;
    plotDensity = 100;
    SetDatabasesToShow({"database"});
    SetStoredTrackReanalysis(nullptr);
    hSwath = SwathModule{};
    chartSurface = ChartSurface{};
    SwitchPalette(2);
    NightScheme = false;
    win::scripted::stopListening();
    root.reset();
}

TrackPoint DrawingTest::pointAt(int x, int y, int16_t colour, float depth, float e2) const
{
    int32_t lon = 0, lat = 0;
    EXPECT_GT(EC_PixelToGeos(x, y, &lon, &lat, engineWindow), 0);
    return TrackPoint{depth, 1.0f, e2, lat, lon, colour};
}

uint32_t DrawingTest::storeTrack(const std::vector<TrackPoint>& points, bool colouredForLoadedBox)
{
    std::vector<TrackPoint> copy = points;
    CurrentTrackBlock block{copy.data(), uint32_t(copy.size()), 0, 0};
    EXPECT_EQ(DBAddPointsToCurrentTrack(&block), 1);
    std::vector<uint32_t> times(copy.size(), 1700000000u);
    TimeBlock timeBlock{times.data(), uint32_t(times.size()), 0};
    EXPECT_EQ(DBAddTimesToCurrentTrack(&timeBlock), 1);
    TrackInfo info{};
    info.handle = 1;
    SetEmptyRect(info);
    for (const TrackPoint& p : copy) {
        ExtendRect(info, p.lon, p.lat);
    }
    info.points = uint32_t(copy.size());
    info.boxsignature = colouredForLoadedBox ? BoxSignature(boxFile) : 0;
    EXPECT_EQ(DBSaveCurrentTrack(&info), 1);
    return info.handle;
}

std::vector<TrackPoint> DrawingTest::readTrack(uint32_t handle, const std::string& database) const
{
    char name[32];
    std::snprintf(name, sizeof name, "trk%05u.dat", handle);
    std::string bytes = TempDataRoot::readFile(host("c:\\varnel\\" + database + "\\ovl00001\\" + name));
    std::vector<TrackPoint> points(bytes.size() / sizeof(TrackPoint));
    std::memcpy(points.data(), bytes.data(), points.size() * sizeof(TrackPoint));
    return points;
}

TrackInfo DrawingTest::trackEntry(uint32_t handle) const
{
    TrackInfo info{};
    info.handle = handle;
    EXPECT_EQ(DBGetObjectInfo(TRACK_OVERLAY, OBJ_TRACK, &info, "database"), 1);
    return info;
}

std::filesystem::path DrawingTest::host(const std::string& windowsPath) const
{
    return *win::HostPath(windowsPath);
}

QImage DrawingTest::drawn(const std::function<void(QPainter&)>& draw) const
{
    QImage image(WINDOW_WIDTH, WINDOW_HEIGHT, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter dc(&image);
    draw(dc);
    dc.end();
    return image;
}
