// The control bars on the chart's bottom lines: stacking and closing, the enable mask, clicks told
// to the owner, the chart command bar's catalogue button, and the chart laid out below the top
// strips.
#include "ProgramWindows.h"

#include "frame/ChartLayout.h"
#include "frame/ChartTitleStrip.h"
#include "frame/ControlBars.h"
#include "frame/ModeWindows.h"
#include "platform/messages.h"

#include <QPushButton>
#include <QTest>

#include <string>

namespace {

using ControlBars = ProgramWindows;

std::vector<std::string> labels(HWND bar)
{
    std::vector<std::string> texts;
    for (int id = 1; QAbstractButton* button = buttonOf(bar, id); ++id)
        texts.push_back(button->text().toStdString());
    return texts;
}

std::vector<bool> enabled(HWND bar)
{
    std::vector<bool> states;
    for (int id = 1; QAbstractButton* button = buttonOf(bar, id); ++id)
        states.push_back(button->isEnabled());
    return states;
}

std::string text(HWND window)
{
    char buffer[64];
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

TEST_F(ControlBars, OpenBarsStackUpwardsAndClosingOneClosesTheGap)
{
    HWND bar0 = ShowControls(0, chartWindow);
    HWND bar1 = ShowControls(1, chartWindow);
    HWND bar2 = ShowControls(2, chartWindow);
    ASSERT_TRUE(bar0 && bar1 && bar2);
    EXPECT_EQ(ControlBarCount(), 3);
    EXPECT_EQ(screenRect(bar0).top, 768 - 20);
    EXPECT_EQ(screenRect(bar1).top, 768 - 40);
    EXPECT_EQ(screenRect(bar2).top, 768 - 60);
    const RECT r = screenRect(bar1);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.right, 1024);
    EXPECT_EQ(r.bottom - r.top, 20);
    EXPECT_EQ(GetParent(bar1), chartWindow);
    EXPECT_EQ(text(bar1), "Full Control");
    EXPECT_EQ(ChartBottomLines(), 3);

    EXPECT_EQ(labels(bar0), (std::vector<std::string>{"Hide/Quit", "Chart", "Query", "Chart Edit",
                                                       "Tracks", "Inst", "Displays", "Redraw",
                                                       "Show 3D", "3D Options"}));
    EXPECT_EQ(labels(bar1), (std::vector<std::string>{"Hide", "Sedrix", "Depth", "Seabed",
                                                       "Position", "Route", "TitleBar", "Swath",
                                                       "Replay"}));
    // Button i sits at i * (87 + 2), 2 pixels down, a line less 4 high.
    const QRect third = buttonOf(bar0, 3)->geometry();
    EXPECT_EQ(third, QRect(178, 2, 87, 16));

    CloseControlBar(bar1);
    EXPECT_FALSE(IsWindow(bar1));
    EXPECT_EQ(ControlBarCount(), 2);
    EXPECT_EQ(ControlBarAt(0), bar0);
    EXPECT_EQ(ControlBarAt(1), bar2);
    EXPECT_EQ(ControlBarId(bar2), 2);
    EXPECT_EQ(ControlBarId(bar1), -1);
    EXPECT_EQ(ControlBarId(chartWindow), -1);
    EXPECT_EQ(screenRect(bar0).top, 768 - 20);
    EXPECT_EQ(screenRect(bar2).top, 768 - 40);
    EXPECT_EQ(screenRect(bar2).right, 1024);

    // The next bar opens above the two left.
    HWND bar5 = ShowControls(5, chartWindow);
    EXPECT_EQ(screenRect(bar5).top, 768 - 60);
}

TEST_F(ControlBars, DestroyedWithTheirParentsTheWindowsLetGo)
{
    ShowControls(0, chartWindow);
    ShowControls(4, chartWindow);
    ShowChartTitleStrip(mainWindow, "Solent");
    EnterModeWindows(chartWindow, 5);
    DestroyWindow(mainWindow);
    EXPECT_EQ(ControlBarCount(), 0);
    EXPECT_EQ(ControlBarAt(0), nullptr);
    EXPECT_EQ(hwndChartTitleStrip, nullptr);
    EXPECT_EQ(TopStripCount(), 0);
    EXPECT_EQ(hwndStatusWnd, nullptr);
    EXPECT_EQ(hwndActionWnd, nullptr);
    EXPECT_FALSE(ModeWindowsShown());
}

TEST_F(ControlBars, UnknownBarIdOpensNothing)
{
    std::vector<std::string> traces;
    win::setTraceListener([&](const std::string& t) { traces.push_back(t); });
    for (int id : {-1, 3, 6, 15, 17})
        EXPECT_EQ(ShowControls(id, chartWindow), nullptr) << id;
    win::setTraceListener(nullptr);
    EXPECT_EQ(ControlBarCount(), 0);
    ASSERT_EQ(traces.size(), 5u);
    EXPECT_NE(traces[0].find("ShowControls called with invalid ControlBarId"), std::string::npos);
    EXPECT_EQ(ShowControls(0, nullptr), nullptr);
}

TEST_F(ControlBars, EnableMaskGovernsTheButtonsFromTheLast)
{
    HWND bar = ShowControls(4, chartWindow);
    EXPECT_EQ(labels(bar), (std::vector<std::string>{"Hide", "Measure", "Marks", "Info"}));
    EXPECT_EQ(enabled(bar), (std::vector<bool>{true, true, false, true}));

    SendMessageA(bar, WM_CONTROLBAR_ENABLE, 1, 0);
    EXPECT_EQ(enabled(bar), (std::vector<bool>{false, false, false, true}));
    SendMessageA(bar, WM_CONTROLBAR_ENABLE, 0b1010, 0);
    EXPECT_EQ(enabled(bar), (std::vector<bool>{true, false, true, false}));
}

TEST_F(ControlBars, AClickTellsTheOwnerTheBarAndTheButton)
{
    HWND bar = ShowControls(5, chartWindow);
    QTest::mouseClick(buttonOf(bar, 3), Qt::LeftButton);
    auto commands = receivedBy(chartWindow, WM_CONTROLBAR_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, 5u);
    EXPECT_EQ(commands[0].lParam, 3);

    // "Hide" closes the bar from inside its own click.
    onReceived() = [](const Received& r) {
        if (r.message == WM_CONTROLBAR_COMMAND && r.lParam == 1)
            CloseControlBar(ControlBarAt(ControlBarCount() - 1));
    };
    QTest::mouseClick(buttonOf(bar, 1), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(IsWindow(bar));
    EXPECT_EQ(ControlBarCount(), 0);
}

TEST_F(ControlBars, ChartCommandBarOffersTheCatalogueOnlyWithChartPaths)
{
    const std::vector<std::string> nine{"Hide", "Overlays", "Settings", "Install", "Blank",
                                        "Colour", "AutoScroll", "Full", "Folio"};
    HWND bar = ShowControls(2, chartWindow);
    EXPECT_EQ(labels(bar), nine);
    CloseControlBar(bar);

    TempDataRoot::writeFile(home.driveC() / "varnel" / "chart.ini", "[OTHER]\nSNIGHT=0.5\n[chartpaths]\n");
    bar = ShowControls(2, chartWindow);
    std::vector<std::string> ten = nine;
    ten.push_back("Catalogue");
    EXPECT_EQ(labels(bar), ten);
}

TEST_F(ControlBars, TwoButtonBarSitsAtTheRightEndOfTheBottomLine)
{
    ShowControls(0, chartWindow);
    HWND bar = ShowControls(TWO_BUTTON_BAR, chartWindow);
    const RECT r = screenRect(bar);
    EXPECT_EQ(r.left, 1024 - 44);
    EXPECT_EQ(r.right, 1024);
    EXPECT_EQ(r.top, 768 - 20);
    EXPECT_EQ(text(bar), "2 Button Control");
    EXPECT_EQ(labels(bar), (std::vector<std::string>{"M", "Q"}));
    EXPECT_EQ(buttonOf(bar, 2)->geometry(), QRect(22, 2, 20, 16));
}

TEST_F(ControlBars, ChartLiesBelowTheTopStripsAndBarsStayOnTheBottomLines)
{
    HWND strip = ShowChartTitleStrip(mainWindow, "North Sea 1:50,000");
    ASSERT_TRUE(strip);
    EXPECT_EQ(hwndChartTitleStrip, strip);
    EXPECT_EQ(TopStripCount(), 1);
    EXPECT_EQ(text(strip), "North Sea 1:50,000");
    const RECT s = screenRect(strip);
    EXPECT_EQ(s.top, 0);
    EXPECT_EQ(s.bottom, 20);
    EXPECT_EQ(s.right, 1024);

    HWND bar = ShowControls(0, chartWindow);
    RECT chart = screenRect(chartWindow);
    EXPECT_EQ(chart.top, 20);
    EXPECT_EQ(chart.bottom, 768);
    EXPECT_EQ(screenRect(bar).top, 768 - 20);

    // A second strip (the position strip) pushes the chart down; the bar keeps its line.
    hwndPositionStrip = win::createWindow("PositionWnd", "", RecordingProc, mainWindow);
    LayoutChartBelowTopStrips(chartWindow);
    EXPECT_EQ(screenRect(chartWindow).top, 40);
    EXPECT_EQ(screenRect(bar).top, 768 - 20);
    DestroyWindow(hwndPositionStrip);
    hwndPositionStrip = nullptr;

    SetChartTitleStripText("Solent");
    EXPECT_EQ(text(strip), "Solent");
    HideChartTitleStrip();
    EXPECT_FALSE(IsWindow(strip));
    EXPECT_EQ(hwndChartTitleStrip, nullptr);
    LayoutChartBelowTopStrips(chartWindow);
    chart = screenRect(chartWindow);
    EXPECT_EQ(chart.top, 0);
    EXPECT_EQ(chart.bottom, 768);
    EXPECT_EQ(screenRect(bar).top, 768 - 20);
}

} // namespace
