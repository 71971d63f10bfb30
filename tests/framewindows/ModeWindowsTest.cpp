// The mode windows: the status and action windows and the mode bar taking the three bottom
// lines over the control bars and giving them back, their texts and clicks, one mode replacing
// another, and an unknown bar or chart showing nothing.
#include "ProgramWindows.h"

#include "frame/ChartLayout.h"
#include "frame/ControlBars.h"
#include "frame/ModeWindows.h"
#include "frame/SedrixToolbar.h"

#include <QTest>
#include <QToolButton>

namespace {

using ModeWindows = ProgramWindows;

bool checked(int command)
{
    return win::widgetOf(hwndSedrixToolbar)->findChild<QToolButton*>(QString::number(command))->isChecked();
}

std::string text(HWND window)
{
    char buffer[64];
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

TEST_F(ModeWindows, TakeTheThreeBottomLinesOverTheBarsAndGiveThemBack)
{
    HWND bar0 = ShowControls(0, chartWindow);
    CreateSedrixToolbar(chartWindow);
    SendMessageA(hwndSedrixToolbar, WM_TOOLBAR_CHECK, IDM_QUERY_INFO, 1);
    SendMessageA(hwndSedrixToolbar, WM_TOOLBAR_CHECK, IDM_TIDAL_ATLAS, 1);

    ASSERT_TRUE(EnterModeWindows(chartWindow, 4));
    EXPECT_TRUE(ModeWindowsShown());
    EXPECT_EQ(ChartBottomLines(), 3);
    EXPECT_EQ(FindWindowA("StatusWnd", nullptr), hwndStatusWnd);
    EXPECT_EQ(FindWindowA("ActionWnd", nullptr), hwndActionWnd);
    const RECT status = screenRect(hwndStatusWnd), action = screenRect(hwndActionWnd),
               bar = screenRect(hwndModeBar);
    EXPECT_EQ(status.top, 768 - 60);
    EXPECT_EQ(status.bottom, 768 - 40);
    EXPECT_EQ(status.right, 1024);
    EXPECT_EQ(action.top, 768 - 40);
    EXPECT_EQ(bar.top, 768 - 20);
    EXPECT_EQ(bar.right, 1024);
    // The mode bar, not the bar it covers, takes the clicks on the bottom line.
    QWidget* atBottom = chartWidget->childAt(500, 768 - 10);
    EXPECT_TRUE(atBottom && win::widgetOf(hwndModeBar)->isAncestorOf(atBottom));
    EXPECT_EQ(ControlBarCount(), 1);
    EXPECT_TRUE(processEventsUntil([] { return !checked(IDM_QUERY_INFO) && !checked(IDM_TIDAL_ATLAS); }));

    SetModeStatusText("Info");
    SetModeActionText("Info Action");
    EXPECT_EQ(text(hwndStatusWnd), "Info");
    EXPECT_EQ(text(hwndActionWnd), "Info Action");

    QTest::mouseClick(buttonOf(hwndModeBar, 4), Qt::LeftButton);
    auto commands = receivedBy(chartWindow, WM_CONTROLBAR_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, 4u);
    EXPECT_EQ(commands[0].lParam, 4);

    const HWND windows[] = {hwndStatusWnd, hwndActionWnd, hwndModeBar};
    LeaveModeWindows(chartWindow);
    for (HWND w : windows)
        EXPECT_FALSE(IsWindow(w));
    EXPECT_FALSE(ModeWindowsShown());
    EXPECT_EQ(hwndModeBar, nullptr);
    EXPECT_EQ(ChartBottomLines(), 1);
    EXPECT_EQ(ControlBarAt(0), bar0);
    EXPECT_EQ(screenRect(bar0).top, 768 - 20);
    EXPECT_TRUE(processEventsUntil([] { return checked(IDM_QUERY_INFO) && checked(IDM_TIDAL_ATLAS); }));
    // Text for windows that are gone goes nowhere.
    SetModeStatusText("late");
}

TEST_F(ModeWindows, AModeOverAnotherReplacesItsWindows)
{
    ASSERT_TRUE(EnterModeWindows(chartWindow, 5));
    const HWND first = hwndActionWnd;
    ASSERT_TRUE(EnterModeWindows(chartWindow, TWO_BUTTON_BAR));
    EXPECT_FALSE(IsWindow(first));
    const RECT bar = screenRect(hwndModeBar);
    EXPECT_EQ(bar.left, 1024 - 44);
    EXPECT_EQ(bar.top, 768 - 20);
    LeaveModeWindows(chartWindow);
    EXPECT_EQ(FindWindowA("ActionWnd", nullptr), nullptr);
    EXPECT_EQ(FindWindowA("StatusWnd", nullptr), nullptr);
}

TEST_F(ModeWindows, UnknownBarOrChartShowsNothing)
{
    EXPECT_FALSE(EnterModeWindows(chartWindow, 3));
    EXPECT_FALSE(EnterModeWindows(nullptr, 4));
    EXPECT_FALSE(ModeWindowsShown());
    EXPECT_EQ(FindWindowA("StatusWnd", nullptr), nullptr);
}

} // namespace
