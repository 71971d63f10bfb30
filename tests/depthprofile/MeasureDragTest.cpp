// The measuring tool on a chart window: switching with the toolbar posts and the auto-scroll
// state, a drag through the chart's mouse hook with its line and the two result windows that
// swap as the line crosses towards the shown one, and the right button cancelling.
#include "ToolWindowHost.h"

#include "chart/MeasureTool.h"
#include "chart/TrackDrawing.h"
#include "euro32/euro32.h"
#include "frame/ChartLayout.h"
#include "frame/PositionText.h"
#include "frame/ProgramSettings.h"
#include "frame/SedrixToolbar.h"

#include <QLabel>

#include <cstdio>

namespace {

class MeasureDragTest : public ToolWindowHost {
protected:
    void SetUp() override
    {
        ToolWindowHost::SetUp();
        ASSERT_NE(EC_initChartingSystem(6001, 0, nullptr, 2010, "test", 0, 0), 0);
        engineWindow = EC_CreateChartWindow(1, 1, 1024, 768);
        ASSERT_NE(engineWindow, nullptr);
        ASSERT_NE(EC_ChangeChartArea(engineWindow, 118000000, 577200000, 119000000, 576700000), 0);
        chartSurface = ChartSurface{};
        chartSurface.engineWindow = engineWindow;
        measureUnits = 1;
        BindMeasureAutoScroll(&autoScroll);
    }
    void TearDown() override
    {
        if (MeasureToolOn())
            MeasureSwitch(chartWindow);
        BindMeasureAutoScroll(nullptr);
        hwndPositionStrip = nullptr;
        hwndSedrixToolbar = nullptr;
        chartSurface = ChartSurface{};
        EC_ExitChartingSystem();
        ToolWindowHost::TearDown();
    }

    static bool mouse(HWND chart, UINT message, int x, int y)
    {
        ChartMouseHandler handler = CurrentChartMouseHandler();
        return handler && handler(chart, message, POINT{x, y});
    }
    QList<QWidget*> results() const { return mainWidget->findChildren<QWidget*>("MeasureWnd"); }
    static QString value(QWidget* result, int id) { return result->findChild<QLabel*>(QString::number(id))->text(); }
    // The texts the window must show for this pointer, from the engine's own conversion.
    static std::pair<std::string, std::string> expected(HWND engine, POINT from, POINT to)
    {
        int32_t lon1 = 0, lat1 = 0, lon2 = 0, lat2 = 0;
        EC_PixelToGeos(from.x, from.y, &lon1, &lat1, engine);
        EC_PixelToGeos(to.x, to.y, &lon2, &lat2, engine);
        char range[32], bearing[16];
        FormatRange(MeasureRange(lon1, lat1, lon2, lat2), range);
        std::snprintf(bearing, sizeof bearing, "%03d°", MeasureBearing(lon2, lat2, lon1, lat1));
        return {range, bearing};
    }

    HWND engineWindow = nullptr;
    bool autoScroll = true;
};

TEST_F(MeasureDragTest, SwitchingPostsToTheToolbarAndKeepsAutoScrollOffWhileOn)
{
    hwndPositionStrip = win::createWindow("PositionWnd", "", RecordingProc, mainWindow);
    hwndSedrixToolbar = win::createWindow("SedrixToolbarWnd", "Toolbar Frame", RecordingProc, chartWindow);
    struct Case {
        bool autoScroll;
        std::vector<std::tuple<UINT, WPARAM, LPARAM>> onPosts;
    };
    const Case cases[] = {
        {true, {{WM_TOOLBAR_ENABLE, IDM_TIDAL_ATLAS, 1}}},
        {false, {{WM_TOOLBAR_CHECK, IDM_MEASURE_TOOL, 0}, {WM_TOOLBAR_ENABLE, IDM_TIDAL_ATLAS, 1}}},
    };
    auto posts = [&] {
        std::vector<std::tuple<UINT, WPARAM, LPARAM>> found;
        QCoreApplication::sendPostedEvents();
        for (const Received& r : received())
            if (r.window == hwndSedrixToolbar)
                found.emplace_back(r.message, r.wParam, r.lParam);
        received().clear();
        return found;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.autoScroll);
        autoScroll = c.autoScroll;
        received().clear();
        MeasureSwitch(chartWindow);
        EXPECT_TRUE(MeasureToolOn());
        EXPECT_FALSE(autoScroll);
        EXPECT_NE(CurrentChartMouseHandler(), nullptr);
        EXPECT_EQ(posts(), c.onPosts);
        MeasureSwitch(chartWindow);
        EXPECT_FALSE(MeasureToolOn());
        EXPECT_EQ(autoScroll, c.autoScroll);
        EXPECT_EQ(CurrentChartMouseHandler(), nullptr);
        const std::vector<std::tuple<UINT, WPARAM, LPARAM>> offPosts{{WM_TOOLBAR_ENABLE, IDM_TIDAL_ATLAS, 0},
                                                                     {WM_TOOLBAR_CHECK, IDM_MEASURE_TOOL, 1}};
        EXPECT_EQ(posts(), offPosts);
    }
    // Without the position strip the toolbar hears nothing.
    DestroyWindow(hwndPositionStrip);
    hwndPositionStrip = nullptr;
    MeasureSwitch(chartWindow);
    MeasureSwitch(chartWindow);
    EXPECT_TRUE(posts().empty());
}

TEST_F(MeasureDragTest, DragShowsPositionRangeAndBearingAndSwapsTheWindowsAwayFromTheLine)
{
    MeasureSwitch(chartWindow);
    const POINT start{400, 300};
    ASSERT_TRUE(mouse(chartWindow, WM_LBUTTONDOWN, start.x, start.y));
    ASSERT_EQ(results().size(), 2);
    QWidget* lowerRight = results()[0];
    QWidget* upperLeft = results()[1];
    EXPECT_GT(lowerRight->x(), start.x);
    EXPECT_GT(lowerRight->y(), start.y);
    EXPECT_LT(upperLeft->geometry().right(), start.x);
    EXPECT_LT(upperLeft->geometry().bottom(), start.y);
    EXPECT_TRUE(lowerRight->isVisible());
    EXPECT_FALSE(upperLeft->isVisible());
    int32_t lon = 0, lat = 0;
    EC_PixelToGeos(start.x, start.y, &lon, &lat, engineWindow);
    char startText[80];
    std::snprintf(startText, sizeof startText, " %s  %s", LatitudeText(lat, 3).c_str(), LongitudeText(lon, 3).c_str());
    EXPECT_EQ(value(lowerRight, IDC_MEASURE_POSITION).toStdString(), startText);
    EXPECT_EQ(value(upperLeft, IDC_MEASURE_POSITION).toStdString(), startText);

    // Up and to the right: clear of both; nothing swaps.
    ASSERT_TRUE(mouse(chartWindow, WM_MOUSEMOVE, 500, 200));
    EXPECT_TRUE(lowerRight->isVisible());
    auto [range, bearing] = expected(engineWindow, start, POINT{500, 200});
    EXPECT_EQ(value(lowerRight, IDC_MEASURE_RANGE).toStdString(), range);
    EXPECT_EQ(value(lowerRight, IDC_MEASURE_BEARING).toStdString(), bearing);
    EXPECT_EQ(bearing, "045°");

    // Towards the lower right the line would cross the shown window: the other one shows.
    ASSERT_TRUE(mouse(chartWindow, WM_MOUSEMOVE, 520, 420));
    EXPECT_FALSE(lowerRight->isVisible());
    EXPECT_TRUE(upperLeft->isVisible());
    std::tie(range, bearing) = expected(engineWindow, start, POINT{520, 420});
    EXPECT_EQ(value(upperLeft, IDC_MEASURE_RANGE).toStdString(), range);
    EXPECT_EQ(value(upperLeft, IDC_MEASURE_BEARING).toStdString(), bearing);

    // And back when it heads up to the left.
    ASSERT_TRUE(mouse(chartWindow, WM_MOUSEMOVE, 300, 250));
    EXPECT_TRUE(lowerRight->isVisible());
    EXPECT_FALSE(upperLeft->isVisible());

    // The pointer on the start point: no distance, bearing 180.
    ASSERT_TRUE(mouse(chartWindow, WM_MOUSEMOVE, start.x, start.y));
    EXPECT_EQ(value(lowerRight, IDC_MEASURE_RANGE), "  0.0000km");
    EXPECT_EQ(value(lowerRight, IDC_MEASURE_BEARING), "180°");

    ASSERT_TRUE(mouse(chartWindow, WM_LBUTTONUP, start.x, start.y));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(results().empty());
    EXPECT_TRUE(MeasureToolOn()); // ready for the next drag
}

TEST_F(MeasureDragTest, TheLineIsPaintedOverTheChartWhileDragging)
{
    MeasureSwitch(chartWindow);
    ASSERT_TRUE(mouse(chartWindow, WM_LBUTTONDOWN, 100, 100));
    ASSERT_TRUE(mouse(chartWindow, WM_MOUSEMOVE, 300, 100));
    QImage chart = chartWidget->grab().toImage();
    EXPECT_NE(chart.pixelColor(200, 100), SEA);
    EXPECT_NE(chart.pixelColor(200, 102), SEA); // five pixels wide
    EXPECT_EQ(chart.pixelColor(200, 110), SEA);
    // The right button cancels the drag, and the chart takes no redraw from it.
    ASSERT_TRUE(mouse(chartWindow, WM_RBUTTONDOWN, 300, 100));
    ASSERT_TRUE(mouse(chartWindow, WM_RBUTTONUP, 300, 100));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(results().empty());
    chart = chartWidget->grab().toImage();
    EXPECT_EQ(chart.pixelColor(200, 100), SEA);
    // Off, the chart has its mouse back.
    MeasureSwitch(chartWindow);
    EXPECT_FALSE(mouse(chartWindow, WM_LBUTTONDOWN, 100, 100));
}

TEST_F(MeasureDragTest, WindowsStayOnTheChartNearItsEdges)
{
    MeasureSwitch(chartWindow);
    const RECT area{0, 0, 1024, 768};
    for (POINT corner : {POINT{1010, 10}, POINT{10, 760}, POINT{1010, 760}, POINT{10, 10}}) {
        SCOPED_TRACE(std::to_string(corner.x) + "," + std::to_string(corner.y));
        ASSERT_TRUE(mouse(chartWindow, WM_LBUTTONDOWN, corner.x, corner.y));
        ASSERT_EQ(results().size(), 2);
        for (QWidget* result : results()) {
            const QRect r = result->geometry();
            EXPECT_GE(r.left(), area.left);
            EXPECT_GE(r.top(), area.top);
            EXPECT_LE(r.right(), area.right - 1);
            EXPECT_LE(r.bottom(), area.bottom - 1);
        }
        ASSERT_TRUE(mouse(chartWindow, WM_LBUTTONUP, corner.x, corner.y));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(MeasureDragTest, GrabOfAMeasurement)
{
    MeasureSwitch(chartWindow);
    ASSERT_TRUE(mouse(chartWindow, WM_LBUTTONDOWN, 400, 300));
    ASSERT_TRUE(mouse(chartWindow, WM_MOUSEMOVE, 650, 480));
    const QImage grab = mainWidget->grab().toImage();
    keepGrab(grab, "measure-drag");
    EXPECT_NE(grab.pixelColor(525, 390), SEA);
}

} // namespace
