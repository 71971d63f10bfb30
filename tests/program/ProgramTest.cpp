// The real program run in this process on a fresh data root: start-up and shutdown, the conditions
// of use, a damaged settings file, scaling, centring and zooming the chart, refreshes during a
// capture, and stored tracks and imported lines drawn where they lie.
#include "ProgramFixture.h"

#include "chart/ChartHooks.h"
#include "chart/ChartWindow.h"
#include "chart/MeasureTool.h"
#include "chart/TrackPens.h"
#include "classification/BoxFile.h"
#include "database/CurrentTrack.h"
#include "euro32/euro32.h"
#include "frame/ControlBars.h"
#include "frame/Inifile.h"
#include "frame/SedrixToolbar.h"
#include "frame/WindowLayout.h"
#include "platform/gui.h"
#include "platform/messages.h"
#include "platform/profile.h"
#include "recording/ModuleBinding.h"
#include "recording/RecordingControl.h"
#include "recording/VesselState.h"
#include "replay/ReplayWindow.h"
#include "trackwin/TrackpointEnquiry.h"

#include <QCoreApplication>
#include <QImage>
#include <QTest>
#include <QWidget>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

namespace {

size_t ThreadCount()
{
    namespace fs = std::filesystem;
    return size_t(std::distance(fs::directory_iterator("/proc/self/task"), fs::directory_iterator()));
}

std::vector<std::string> boxTexts()
{
    std::vector<std::string> texts;
    for (const auto& box : win::scripted::boxes())
        texts.push_back(box.text);
    return texts;
}

std::string profileValue(const char* section, const char* key)
{
    char text[64] = "";
    GetPrivateProfileStringA(section, key, "", text, sizeof text, "VARNEL.INI");
    return text;
}

struct Area {
    int32_t west, north, east, south;
};

Area chartArea()
{
    Area a{};
    EC_GetChartArea(TopEngineChartWindow(), &a.west, &a.north, &a.east, &a.south);
    return a;
}

RECT chartClient()
{
    RECT client{};
    GetClientRect(hwndChart, &client);
    return client;
}

// Shows a small area about this position, so that tracks and pixels are in view.
void showAround(int32_t lon, int32_t lat)
{
    EC_ChangeChartArea(TopEngineChartWindow(), lon - 100000, lat + 100000, lon + 100000, lat - 100000);
}

// Runs what is queued, and what that queues, until the captures stop.
void settle()
{
    for (int stable = 0, count = ChartCaptureCount(); stable < 20; ++stable) {
        QCoreApplication::processEvents();
        if (ChartCaptureCount() != count) {
            count = ChartCaptureCount();
            stable = 0;
        }
    }
}

} // namespace

TEST_F(ProgramTest, StartsWithTheChartAndShutsDownLeavingNothingRunning)
{
    unsetenv("TZ");
    const size_t threadsBefore = ThreadCount();
    const int code = run(options(), [] {
        char title[64] = "";
        GetWindowTextA(hwndMain, title, sizeof title);
        EXPECT_STREQ(title, "Varnel Swath for Sedrix");
        EXPECT_TRUE(IsWindow(hwndChart));
        EXPECT_NE(EC_GetCurentChartHandle(), 0);
        EXPECT_NE(hSwath.handle, nullptr);
        EXPECT_GT(ThreadCount(), size_t(0));
    });
    EXPECT_EQ(code, 0);
    EXPECT_STREQ(std::getenv("TZ"), "PST8PDT");
    EXPECT_EQ(hSwath.handle, nullptr);
    EXPECT_FALSE(IsWindow(hwndChart));
    EXPECT_EQ(profileValue("INSTALL", "Just installed"), "0");
    // The module's threads are gone with the module.
    EXPECT_TRUE(WaitFor([&] { return ThreadCount() <= threadsBefore; })) << ThreadCount() << " > " << threadsBefore;
    // A newcomer's start: no configuration files, so nothing is said but that there is no
    // survey to replay yet.
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{
                              "Failed opening replay file c:\\varnel\\testdata\\nav.txt: nothing to replay",
                              "Failed opening replay file c:\\varnel\\testdata\\sedrix.txt: nothing to replay"}));
    EXPECT_EQ(SPEEDOFSOUND, 1480.0);
}

TEST_F(ProgramTest, KeepsTheTimeZoneTheUserSet)
{
    setenv("TZ", "UTC0", 1);
    EXPECT_EQ(run(options()), 0);
    EXPECT_STREQ(std::getenv("TZ"), "UTC0");
}

TEST_F(ProgramTest, DecliningTheConditionsShutsDownThroughTheNormalPath)
{
    win::scripted::queueDialog("DISCLAIMER_DIALOG", {IDCANCEL, {}});
    const int code = VarnelMain(options()); // nothing else closes it
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(IsWindow(hwndChart));
    EXPECT_EQ(profileValue("INSTALL", "Just installed"), "0");
    EXPECT_EQ(hSwath.handle, nullptr);
}

TEST_F(ProgramTest, ADamagedSettingsFileStillStarts)
{
    TempDataRoot::writeFile(root().windowsDir() / "VARNEL.INI", std::string("\x01\xff[Files\n=\n\0\0garbage]]", 24));
    EXPECT_EQ(run(options()), 0);
}

TEST_F(ProgramTest, ScaleButtonsAskForTheSpansOfTheScreenFactors)
{
    run(options(), [] {
        double lonFactor = 0, latFactor = 0;
        ChartScaleFactors(&lonFactor, &latFactor);
        EXPECT_EQ(int64_t(lonFactor * 10000), 2048000);
        EXPECT_EQ(int64_t(latFactor * 10000), 1536000);
        showAround(118500000, 577000000);
        const Area before = chartArea();
        SetChartScale(hwndChart, 10000);
        const Area after = chartArea();
        // At least the asked spans, about the same centre.
        EXPECT_GE(after.east - after.west, 2048000 - 2000);
        EXPECT_GE(after.north - after.south, 1536000 - 2000);
        EXPECT_NEAR((after.east + after.west) / 2.0, (before.east + before.west) / 2.0, 2000);
        EXPECT_NEAR((after.north + after.south) / 2.0, (before.north + before.south) / 2.0, 2000);
    });
}

TEST_F(ProgramTest, CentreOnShipLooksAheadAlongTheHeading)
{
    run(options(), [] {
        showAround(118500000, 577000000);
        vessellongitude = 118500000;
        vessellatitude = 577000000;
        heading = 90.0f;
        CentreOnShip(hwndChart, 50);
        const RECT client = chartClient();
        int x = 0, y = 0;
        ASSERT_TRUE(EC_GeosToPixel(vessellongitude, vessellatitude, &x, &y, TopEngineChartWindow()));
        // The chart moved right by a quarter of the window: the vessel sits a quarter in.
        EXPECT_NEAR(x, client.right / 4, 2);
        EXPECT_NEAR(y, client.bottom / 2, 2);
    });
}

TEST_F(ProgramTest, AZoomBoxNarrowerThanFifteenPixelsOnlyCentres)
{
    run(options(), [] {
        showAround(118500000, 577000000);
        const Area before = chartArea();
        int32_t lon = 0, lat = 0;
        EC_PixelToGeos(114, 120, &lon, &lat, TopEngineChartWindow());
        ZoomBoxReleased(hwndChart, POINT{100, 100}, POINT{114, 120});
        const Area centred = chartArea();
        EXPECT_NEAR(centred.east - centred.west, before.east - before.west, 10);
        EXPECT_NEAR((centred.east + centred.west) / 2.0, lon, 200);
        EXPECT_NEAR((centred.north + centred.south) / 2.0, lat, 200);
        ZoomBoxReleased(hwndChart, POINT{100, 100}, POINT{160, 140});
        const Area zoomed = chartArea();
        EXPECT_LT(zoomed.east - zoomed.west, (centred.east - centred.west) / 4);
    });
}

// The mouse goes through the chart window's procedure: a drag zooms, unless a tool has taken
// the mouse, which then gets every message instead.
std::vector<std::pair<UINT, POINT>> toolMessages;
bool recordingTool(HWND, UINT message, POINT at)
{
    toolMessages.push_back({message, at});
    return true;
}

TEST_F(ProgramTest, AMouseDragZoomsUnlessAToolHasTheMouse)
{
    run(options(), [] {
        showAround(118500000, 577000000);
        QWidget* chart = win::widgetOf(hwndChart);
        ASSERT_TRUE(chart);
        auto drag = [chart](QPoint from, QPoint to) {
            QTest::mousePress(chart, Qt::LeftButton, {}, from);
            QTest::mouseMove(chart, to);
            QTest::mouseRelease(chart, Qt::LeftButton, {}, to);
        };
        const Area before = chartArea();
        SetChartMouseHandler(recordingTool);
        drag({100, 100}, {200, 180});
        SetChartMouseHandler(nullptr);
        const Area untouched = chartArea();
        EXPECT_EQ(untouched.east - untouched.west, before.east - before.west);
        ASSERT_GE(toolMessages.size(), 2u);
        EXPECT_EQ(toolMessages.front().first, UINT(WM_LBUTTONDOWN));
        EXPECT_EQ(toolMessages.front().second.x, 100);
        EXPECT_EQ(toolMessages.back().first, UINT(WM_LBUTTONUP));
        EXPECT_EQ(toolMessages.back().second.y, 180);

        drag({100, 100}, {200, 180});
        const Area zoomed = chartArea();
        EXPECT_LT(zoomed.east - zoomed.west, (before.east - before.west) / 4);
    });
}

bool shown(HWND window)
{
    return window && IsWindow(window) && IsWindowVisible(window);
}

// The instrument bar opens the tool windows; the enquiry hides them while it runs; those left
// open are open again at the next start, and a closed one is not.
TEST_F(ProgramTest, TheBarsOpenTheToolWindowsAndTheOpenOnesReturnAtTheNextStart)
{
    run(options(), [] {
        for (int button : {2, 3, 9})
            SendMessageA(hwndChart, WM_CONTROLBAR_COMMAND, 1, button);
        EXPECT_TRUE(shown(hwndSedrixWnd));
        EXPECT_TRUE(shown(hwndDepthWnd));
        EXPECT_TRUE(shown(hwndReplay));
        SendMessageA(hwndChart, WM_TOOLWINDOW_CLOSED, DEPTHWND, 0);
        EXPECT_EQ(hwndDepthWnd, nullptr);
        EXPECT_EQ(profileValue("DepthWnd", "Status"), "Off");

        SendMessageA(hwndChart, WM_COMMAND, IDM_QUERY_INFO, 0);
        EXPECT_TRUE(TrackpointEnquiryRunning());
        EXPECT_FALSE(shown(hwndSedrixWnd));
        EXPECT_FALSE(shown(hwndReplay));
        QTest::mouseClick(win::widgetOf(hwndChart), Qt::RightButton, {}, QPoint(50, 50));
        EXPECT_TRUE(WaitFor([] { return !TrackpointEnquiryRunning(); }));
        EXPECT_TRUE(WaitFor([] { return shown(hwndSedrixWnd) && shown(hwndReplay); }));

        SendMessageA(hwndChart, WM_COMMAND, IDM_MEASURE_TOOL, 0);
        EXPECT_TRUE(MeasureToolOn());
        SendMessageA(hwndChart, WM_COMMAND, IDM_MEASURE_TOOL, 0);
        EXPECT_FALSE(MeasureToolOn());
    });
    run(options(), [] {
        EXPECT_TRUE(shown(hwndSedrixWnd));
        EXPECT_TRUE(shown(hwndReplay));
        EXPECT_FALSE(shown(hwndDepthWnd));
    });
}

TEST_F(ProgramTest, ARefreshAskedForDuringACaptureCausesExactlyOneMore)
{
    run(options(), [] {
        // A stored track in view, whose drawing gives the event loop turns during the capture.
        const int32_t lon = 118500000, lat = 577000000;
        TrackInfo& info = globalcurrenttrackinfos[0];
        info.slot = 0;
        info.leftlon = lon;
        info.rightlon = lon + 2000;
        info.toplat = lat + 2000;
        info.bottomlat = lat;
        ASSERT_EQ(DBSaveCurrentTrackInfo(&info), 1);
        std::vector<TrackPoint> points;
        for (int i = 0; i < 3000; ++i)
            points.push_back(TrackPoint{10.0f, 1.0f, 1.0f, lat + i % 2000, lon + i % 2000, 5});
        CurrentTrackBlock block{points.data(), uint32_t(points.size()), 0, 0};
        ASSERT_EQ(DBAddPointsToCurrentTrack(&block), 1);
        ASSERT_TRUE(StoreCurrentTrack(nullptr));
        globaltrackstatus.field[TS_SHOW_ALL_TRACKS] = 1;
        globaltrackstatus.field[TS_PAST_HANDLE] = 0; // the selected past track is drawn at paint time
        showAround(lon, lat);
        settle();
        const int before = ChartCaptureCount();
        for (int i = 0; i < 3; ++i)
            PostMessageA(hwndChart, WM_CHART_REFRESH, 0, 0);
        RefreshChart(hwndMain);
        ASSERT_TRUE(WaitFor([&] { return ChartCaptureCount() >= before + 2; }));
        settle();
        EXPECT_EQ(ChartCaptureCount(), before + 2);
    });
}

TEST_F(ProgramTest, AStoredTrackShowsInItsClassColourWhereItLies)
{
    run(options(), [] {
        const int32_t lon = 118500000, lat = 577000000;
        vessellatitude = NO_POSITION_LAT; // no vessel drawn over the track
        vessellongitude = NO_POSITION_LONG;
        TrackInfo& info = globalcurrenttrackinfos[0];
        info.slot = 0;
        info.leftlon = lon - 5000;
        info.rightlon = lon + 5000;
        info.toplat = lat;
        info.bottomlat = lat;
        ASSERT_EQ(DBSaveCurrentTrackInfo(&info), 1);
        // An east-west line through the middle of the view, of the class the loaded box gives its echoes.
        std::vector<TrackPoint> points;
        for (int i = -5000; i <= 5000; i += 20)
            points.push_back(TrackPoint{10.0f, 1.0f, 1.0f, lat, lon + i, 5});
        CurrentTrackBlock block{points.data(), uint32_t(points.size()), 0, 0};
        ASSERT_EQ(DBAddPointsToCurrentTrack(&block), 1);
        ASSERT_TRUE(StoreCurrentTrack(nullptr));
        globaltrackstatus.field[TS_SHOW_ALL_TRACKS] = 1;
        globaltrackstatus.field[TS_PAST_HANDLE] = 0;
        globaltrackstatus.field[TS_PAST_BY_CLASS] = 1;
        showAround(lon, lat);
        RefreshChart(hwndMain);
        settle();
        const QImage screen = win::widgetOf(hwndMain)->grab().toImage();
        int x = 0, y = 0;
        ASSERT_TRUE(EC_GeosToPixel(lon, lat, &x, &y, TopEngineChartWindow()));
        RECT chart{};
        GetWindowRect(hwndChart, &chart);
        TrackPoint sample = points.front();
        ClassifyReading(&boxFile, &sample);
        const QColor drawn = screen.pixelColor(chart.left + x, chart.top + y);
        EXPECT_EQ(drawn, PaletteColour(sample.colour)) << drawn.name().toStdString();
        // Well off the line the chart shows through.
        EXPECT_NE(screen.pixelColor(chart.left + x, chart.top + y + 40), PaletteColour(sample.colour));
    });
}

TEST_F(ProgramTest, AnImportedLineIsDrawnOverTheChart)
{
    // Imported at start-up: a line along 57 42.0 N from 11 50.0 E to 11 52.0 E.
    TempDataRoot::writeFile(root().driveC() / "varnel" / "import" / "cable.lin",
                            "Cable\n$ start\n7 57 42.0 N 11 50.0 E 57 42.0 N 11 52.0 E\n");
    run(options(), [] {
        vessellatitude = NO_POSITION_LAT;
        vessellongitude = NO_POSITION_LONG;
        showAround(118500000, 577000000);
        RefreshChart(hwndMain);
        settle();
        const QImage screen = win::widgetOf(hwndMain)->grab().toImage();
        int x = 0, y = 0;
        ASSERT_TRUE(EC_GeosToPixel(118500000, 577000000, &x, &y, TopEngineChartWindow()));
        RECT chart{};
        GetWindowRect(hwndChart, &chart);
        bool onLine = false;
        for (int dy = -1; dy <= 1; ++dy)
            onLine |= screen.pixelColor(chart.left + x, chart.top + y + dy) == PaletteColour(17);
        EXPECT_TRUE(onLine);
        EXPECT_NE(screen.pixelColor(chart.left + x, chart.top + y + 30), PaletteColour(17));
    });
}

TEST(MainWindow, PassesThePrivateMessagesToTheChartWindow)
{
    std::vector<UINT> received;
    static std::vector<UINT>* seen = nullptr;
    seen = &received;
    HWND recorder = win::createWindow("Recorder", "", [](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
        if (message >= WM_USER)
            seen->push_back(message);
        return 7;
    });
    hwndChart = recorder;
    const UINT messages[] = {WM_USER + 1, WM_USER + 854, WM_USER + 855, WM_USER + 2000};
    LRESULT results[4] = {};
    for (int i = 0; i < 4; ++i)
        results[i] = MainWndProc(nullptr, messages[i], 0, 0);
    hwndChart = nullptr;
    DestroyWindow(recorder);
    EXPECT_EQ(received, (std::vector<UINT>{1025, 1878}));
    EXPECT_EQ(results[0], 7);
    EXPECT_EQ(results[1], 7);
    EXPECT_EQ(results[2], 0);
}
