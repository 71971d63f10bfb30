// The mode's hold on the chart window: its procedure taken over and given back, the mode
// windows, the messages passed on or kept, the marker painted over the chart, and a chart
// window destroyed while the mode runs.
#include "EnquiryFixture.h"

#include "frame/ControlBars.h"
#include "frame/ModeWindows.h"
#include "platform/gui.h"
#include "platform/messages.h"

namespace {

std::string textOf(HWND window)
{
    char text[128] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

bool Inverted(QColor a, QColor b)
{
    return a.red() == 255 - b.red() && a.green() == 255 - b.green() && a.blue() == 255 - b.blue();
}

} // namespace

TEST_F(EnquiryTest, TheModeTakesTheChartWindowUntilARightClick)
{
    start();
    chartMessages().clear();
    EXPECT_NE(GetWindowLongPtrA(chartWindow, GWLP_WNDPROC), LONG_PTR(StandInChartProc));
    EXPECT_FALSE(IsWindowVisible(dialog()));
    EXPECT_EQ(textOf(hwndStatusWnd), "Info");
    ASSERT_TRUE(IsWindow(hwndModeBar));
    EXPECT_EQ(textOf(hwndModeBar), "2 Button Control");
    // A second start while it runs changes nothing.
    StartTrackpointEnquiry(chartWindow, 0);
    EXPECT_EQ(FindWindowA(SEDRIX_INFO_CLASS, nullptr), dialog());

    // The Depth Scale window's closing goes to the chart's own procedure; bar clicks do not.
    SendMessageA(chartWindow, WM_USER + 2, 150, 0);
    SendMessageA(chartWindow, WM_USER + 50, 0, 3);
    EXPECT_EQ(SendMessageA(chartWindow, WM_USER + 1026, 0, 0), 0);
    ASSERT_EQ(chartMessages().size(), 1u);
    EXPECT_EQ(chartMessages()[0].message, UINT(WM_USER + 2));
    EXPECT_EQ(chartMessages()[0].wParam, 150u);
    // Any other window's closing closes the dialog.
    SendMessageA(chartWindow, WM_USER + 2, 60, 0);
    EXPECT_EQ(dialog(), nullptr);
    EXPECT_EQ(chartMessages().size(), 1u);

    chartMessages().clear();
    click(400, 300, Qt::RightButton);
    EXPECT_FALSE(TrackpointEnquiryRunning());
    EXPECT_EQ(GetWindowLongPtrA(chartWindow, GWLP_WNDPROC), LONG_PTR(StandInChartProc));
    EXPECT_EQ(hwndStatusWnd, nullptr);
    EXPECT_FALSE(IsWindow(hwndModeBar));
    ASSERT_FALSE(chartMessages().empty());
    EXPECT_EQ(chartMessages()[0].message, WM_MODE_ENDED);
    EXPECT_EQ(chartMessages()[0].wParam, ENQUIRY_MODE_ID);
    EXPECT_TRUE(processEventsUntil([] { return !chartMessagesOf(WM_USER + 845).empty(); }));
    // The chart's own procedure has the mouse again.
    click(400, 300);
    EXPECT_EQ(dialog(), nullptr);
}

TEST_F(EnquiryTest, TheMarkerIsPaintedOverTheChartUntilTheFullRedraw)
{
    storeTrack({pointAt(300, 250)});
    start();
    const QImage before = chartWidget->grab().toImage();
    click(305, 255);
    ASSERT_EQ(pSedrixInfo->x, 300);
    const QImage marked = chartWidget->grab().toImage();
    // The box's edges, inverted over the chart; its inside untouched.
    EXPECT_TRUE(Inverted(marked.pixelColor(290, 250), before.pixelColor(290, 250)));
    EXPECT_TRUE(Inverted(marked.pixelColor(300, 240), before.pixelColor(300, 240)));
    EXPECT_EQ(marked.pixelColor(300, 250), before.pixelColor(300, 250));
    // The leader line runs from the dialog, bottom right, to the box's bottom right corner.
    EXPECT_TRUE(Inverted(marked.pixelColor(312, 262), before.pixelColor(312, 262)));

    SendMessageA(chartWindow, WM_USER + 845, 0, 0);
    EXPECT_FALSE(IsWindowVisible(dialog()));
    const QImage redrawn = chartWidget->grab().toImage();
    EXPECT_EQ(redrawn.pixelColor(290, 250), before.pixelColor(290, 250));
}

TEST_F(EnquiryTest, DestroyingTheChartWindowEndsTheMode)
{
    start();
    DestroyWindow(chartWindow);
    EXPECT_FALSE(TrackpointEnquiryRunning());
    EXPECT_EQ(dialog(), nullptr);
    EXPECT_TRUE(chartMessagesOf(WM_MODE_ENDED).empty());
}
