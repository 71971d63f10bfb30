// The Depth Scale window through its controls: the band labels in the depth units, the top and
// interval steps, OK, Apply and Cancel, and dragging it by any point.
#include "TrackWindows.h"

#include "platform/profile.h"

#include <QMouseEvent>

namespace {

using DepthScale = TrackWindows;

HWND openScale(HWND chart)
{
    ShowDepthScaleWindow(chart);
    return depthScaleWindow();
}

QString band(HWND window, int i) { return textOf(window, IDC_DEPTH_BAND_FIRST + i); }

std::string profileText(const char* key)
{
    char text[32] = {};
    GetPrivateProfileStringA("ColourByDepthInf", key, "", text, sizeof text, "VARNEL.INI");
    return text;
}

TEST_F(DepthScale, LabelsInTheDepthUnits)
{
    struct Case {
        int16_t units;
        const char* unitText;
        const char* first;
        const char* last;
    };
    const Case cases[] = {{0, "m", "   5.0m", "  16.0m"}, {1, "ft", "  16.4ft", "  52.5ft"}, {2, "fm", "   2.7fm", "   8.8fm"}};
    for (const Case& c : cases) {
        depthDisplay.units = c.units;
        std::strcpy(depthDisplay.unitText, c.unitText);
        HWND scale = openScale(chartWindow);
        ASSERT_TRUE(scale);
        EXPECT_EQ(band(scale, 0), c.first) << c.unitText;
        EXPECT_EQ(band(scale, 11), c.last) << c.unitText;
        CloseDepthScaleWindow();
    }
}

TEST_F(DepthScale, IntervalStepsByTenthsBelowOneAndByOnesAbove)
{
    HWND scale = openScale(chartWindow);
    ASSERT_TRUE(scale);
    const QRect placed = win::widgetOf(scale)->geometry();
    EXPECT_EQ(placed.topLeft(), QPoint(300, 100));
    EXPECT_EQ(placed.width(), 200);
    EXPECT_EQ(band(scale, 1), "   6.0m");

    struct Step {
        bool up;
        const char* second; // band 1: top + interval
    };
    const Step steps[] = {{true, "   5.9m"},  {false, "   6.0m"}, {false, "   7.0m"}, {true, "   6.0m"},
                          {true, "   5.9m"},  {true, "   5.8m"},  {false, "   5.9m"}, {false, "   6.0m"}};
    for (const Step& s : steps) {
        clickArrow(scale, IDC_DEPTH_INTERVAL_SCROLL, s.up);
        EXPECT_EQ(band(scale, 1), s.second);
    }
    // Down to the finest interval of 0.1 and no further.
    for (int i = 0; i < 12; ++i)
        clickArrow(scale, IDC_DEPTH_INTERVAL_SCROLL, true);
    EXPECT_EQ(band(scale, 1), "   5.1m");
    EXPECT_EQ(band(scale, 11), "   6.1m");

    // The top: the up arrow raises the scale, never above the surface.
    for (int i = 0; i < 7; ++i)
        clickArrow(scale, IDC_DEPTH_TOP_SCROLL, true);
    EXPECT_EQ(band(scale, 0), "   0.0m");
    clickArrow(scale, IDC_DEPTH_TOP_SCROLL, false);
    EXPECT_EQ(band(scale, 0), "   1.0m");

    // Cancel keeps what was committed.
    click(scale, IDC_DEPTH_CANCEL);
    ASSERT_TRUE(chartReceives(WM_TOOLWINDOW_CLOSED, DEPTHCOLOURWND));
    EXPECT_EQ(receivedBy(chartWindow, WM_TOOLWINDOW_CLOSED).back().lParam, IDC_DEPTH_CANCEL);
    EXPECT_FALSE(depthScaleWindow());
    EXPECT_EQ(colourByDepth[0], 5.0f);
    EXPECT_EQ(colourByDepth[1], 1.0f);
    EXPECT_TRUE(receivedBy(chartWindow, WM_TRACKS_REDRAW).empty());
}

TEST_F(DepthScale, AnIntervalOffTheTenthsStillStopsAtATenth)
{
    // Stepped down in floating point, 1.2 would come to 0.2, 0.1 and then 0.00000004.
    colourByDepth[1] = 1.2f;
    HWND scale = openScale(chartWindow);
    for (int i = 0; i < 5; ++i)
        clickArrow(scale, IDC_DEPTH_INTERVAL_SCROLL, true);
    EXPECT_EQ(band(scale, 11), "   6.1m");
    clickArrow(scale, IDC_DEPTH_INTERVAL_SCROLL, false);
    EXPECT_EQ(band(scale, 11), "   7.2m");
}

TEST_F(DepthScale, ApplyKeepsTheWindowOkClosesIt)
{
    globaltrackstatus.field[TS_CURRENT_COLOUR] = 5;
    HWND scale = openScale(chartWindow);
    clickArrow(scale, IDC_DEPTH_TOP_SCROLL, true);
    clickArrow(scale, IDC_DEPTH_INTERVAL_SCROLL, false);
    click(scale, IDC_DEPTH_APPLY);
    EXPECT_EQ(colourByDepth[0], 4.0f);
    EXPECT_EQ(colourByDepth[1], 2.0f);
    EXPECT_EQ(profileText("Top"), "   4.00");
    EXPECT_EQ(profileText("Interval"), "   2.00");
    EXPECT_TRUE(processEventsUntil([&] { return !receivedBy(chartWindow, WM_TRACKS_REDRAW).empty(); }));
    EXPECT_TRUE(IsWindow(scale));
    EXPECT_EQ(DepthColour(7.9f), 36);

    clickArrow(scale, IDC_DEPTH_INTERVAL_SCROLL, true);
    click(scale, IDC_DEPTH_OK);
    ASSERT_TRUE(chartReceives(WM_TOOLWINDOW_CLOSED, DEPTHCOLOURWND));
    EXPECT_EQ(receivedBy(chartWindow, WM_TOOLWINDOW_CLOSED).back().lParam, IDC_DEPTH_OK);
    EXPECT_FALSE(IsWindow(scale));
    EXPECT_EQ(colourByDepth[1], 1.0f);
    EXPECT_EQ(receivedBy(chartWindow, WM_TRACKS_REDRAW).size(), 2u);
}

TEST_F(DepthScale, OkWithoutDepthColouringAsksForNoRedraw)
{
    HWND scale = openScale(chartWindow);
    clickArrow(scale, IDC_DEPTH_TOP_SCROLL, false);
    click(scale, IDC_DEPTH_OK);
    ASSERT_TRUE(chartReceives(WM_TOOLWINDOW_CLOSED, DEPTHCOLOURWND));
    EXPECT_EQ(colourByDepth[0], 6.0f);
    EXPECT_TRUE(receivedBy(chartWindow, WM_TRACKS_REDRAW).empty());
}

TEST_F(DepthScale, DraggedByAnyPoint)
{
    HWND scale = openScale(chartWindow);
    QWidget* widget = win::widgetOf(scale);
    // A point inside the fifth band, away from the labels and the buttons.
    const QPoint grab(150, 6 * widget->fontMetrics().height() + 3);
    const QPoint start = widget->pos();
    auto send = [&](QEvent::Type type, QPoint local, Qt::MouseButtons buttons) {
        QMouseEvent event(type, local, widget->mapToGlobal(local), Qt::LeftButton, buttons, {});
        QCoreApplication::sendEvent(widget, &event);
    };
    send(QEvent::MouseButtonPress, grab, Qt::LeftButton);
    send(QEvent::MouseMove, grab + QPoint(40, 25), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, grab, {});
    EXPECT_EQ(widget->pos(), start + QPoint(40, 25));
}

} // namespace
