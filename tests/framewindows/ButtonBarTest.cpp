// The button bars in the program's windows: buttons sharing a bar in a row or a column as its size
// changes, checked and relabelled only by the program, the chart's bar down the right edge, and
// the scale buttons as a radio group.
#include "ProgramWindows.h"

#include "frame/ButtonBar.h"
#include "frame/ChartButtonBar.h"
#include "frame/ControlBars.h"
#include "frame/ModeWindows.h"

#include <QPushButton>
#include <QTest>

namespace {

using ButtonBars = ProgramWindows;

std::vector<std::pair<HWND, int>> clicks;
void recordClick(HWND bar, int button) { clicks.emplace_back(bar, button); }

QPushButton* pushButton(HWND bar, int index)
{
    return win::widgetOf(bar)->findChild<QPushButton*>(QString::number(index));
}

TEST_F(ButtonBars, ButtonsShareTheBarAndFollowItsSize)
{
    clicks.clear();
    const ButtonBarEntry entries[] = {
        {"One", "the first", 0, 0}, {"Two", nullptr, 0, 0}, {"Sedrix Square display", nullptr, 0, 0}};
    HWND bar = CreateButtonBar(chartWindow, entries, 3, BUTTONBAR_HORIZONTAL, recordClick,
                               RECT{10, 10, 310, 40});
    ASSERT_TRUE(bar);
    char title[32];
    GetWindowTextA(bar, title, sizeof title);
    EXPECT_STREQ(title, "Varnel Button Bar");
    EXPECT_EQ(GetWindowLongPtrA(bar, BUTTONBAR_LAYOUT), MAKELPARAM(3, BUTTONBAR_HORIZONTAL));
    EXPECT_EQ(pushButton(bar, 0)->geometry().width(), 98);
    EXPECT_EQ(pushButton(bar, 2)->geometry().left(), 201);
    EXPECT_EQ(pushButton(bar, 0)->toolTip(), "the first");

    QTest::mouseClick(pushButton(bar, 1), Qt::LeftButton);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], std::make_pair(bar, 1));

    // Stood on end, the same buttons stack in a column at the next size change.
    SetWindowLongPtrA(bar, BUTTONBAR_LAYOUT, MAKELPARAM(3, BUTTONBAR_VERTICAL));
    MoveWindow(bar, 0, 0, 60, 300, TRUE);
    EXPECT_EQ(pushButton(bar, 1)->geometry(), QRect(1, 101, 58, 98));
    // A label too wide for the column breaks at its blanks.
    EXPECT_TRUE(pushButton(bar, 2)->text().contains('\n'));
    EXPECT_EQ(pushButton(bar, 2)->text().remove('\n'), "SedrixSquaredisplay");
    EXPECT_EQ(pushButton(bar, 0)->text(), "One");
}

TEST_F(ButtonBars, OnlyTheProgramChecksAndRelabelsButtons)
{
    clicks.clear();
    const ButtonBarEntry entries[] = {{"Save", nullptr, 0, 0}, {"Meas", nullptr, BB_BITMAP, 1}};
    HWND bar = CreateButtonBar(chartWindow, entries, 2, BUTTONBAR_HORIZONTAL, recordClick,
                               RECT{0, 0, 200, 30});
    QPushButton* save = pushButton(bar, 0);
    QTest::mouseClick(save, Qt::LeftButton);
    EXPECT_EQ(clicks.size(), 1u);
    EXPECT_FALSE(save->isChecked());
    CheckButtonBarButton(bar, 0, true);
    EXPECT_TRUE(save->isChecked());
    QTest::mouseClick(save, Qt::LeftButton);
    EXPECT_TRUE(save->isChecked());
    CheckButtonBarButton(bar, 0, false);
    EXPECT_FALSE(save->isChecked());

    SetButtonBarLabel(bar, 0, "Stop");
    EXPECT_EQ(save->text(), "Stop");
    EXPECT_TRUE(save->icon().isNull());
    EXPECT_FALSE(pushButton(bar, 1)->icon().isNull());
    // Out of range: nothing happens.
    CheckButtonBarButton(bar, 2, true);
    SetButtonBarLabel(bar, -1, "x");
}

TEST_F(ButtonBars, ChartButtonBarRunsDownTheRightEdgeToTheBottomLines)
{
    clicks.clear();
    ShowControls(0, chartWindow);
    HWND bar = CreateChartButtonBar(chartWindow, recordClick);
    ASSERT_TRUE(bar);
    EXPECT_EQ(hwndChartButtonBar, bar);
    RECT r = screenRect(bar);
    EXPECT_EQ(r.right, 1024);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.bottom, 768 - 20);
    EXPECT_LT(r.right - r.left, 100);

    ShowControls(1, chartWindow);
    EXPECT_EQ(screenRect(bar).bottom, 768 - 40);
    EnterModeWindows(chartWindow, 4);
    EXPECT_EQ(screenRect(bar).bottom, 768 - 60);
    LeaveModeWindows(chartWindow);
    CloseControlBar(ControlBarAt(1));
    EXPECT_EQ(screenRect(bar).bottom, 768 - 20);

    struct Expected {
        int index;
        const char* label;
        const char* tooltip;
    };
    const Expected table[] = {
        {CB_DATABASE, "Data Base", "Select Data Base to display"},
        {CB_AUTOSAVE, "Auto Save", "Enable Auto Save and set max and min speed"},
        {CB_TRACKS, "Trk??", "Select/Delete tracks"},
        {CB_SCROLL, "Scroll", "Select AutoScroll or Centre on Ship"},
        {CB_MEASURE, "Meas", "Measure between points on chart"},
        {CB_DEPTH, "Depth", "Depth Profile display"},
        {CB_SCALE5K, "5k", "1:5,000 scale"},
        {CB_SCALE100K, "100k", "1:100,000 scale"},
    };
    for (const Expected& e : table) {
        SCOPED_TRACE(e.label);
        ASSERT_TRUE(pushButton(bar, e.index));
        EXPECT_EQ(pushButton(bar, e.index)->text().replace('\n', ' '), e.label);
        EXPECT_EQ(pushButton(bar, e.index)->toolTip(), e.tooltip);
    }
    EXPECT_EQ(pushButton(bar, CB_TRACKOPTIONS)->text().replace('\n', ' '), "Track Options");
    EXPECT_EQ(pushButton(bar, CB_SEDRIXSQUARE)->text().replace('\n', ' '), "Sedrix Square display");
    EXPECT_FALSE(pushButton(bar, CHART_BUTTON_COUNT));

    QTest::mouseClick(pushButton(bar, CB_SCALE25K), Qt::LeftButton);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].second, CB_SCALE25K);
}

TEST_F(ButtonBars, ScaleButtonsAreARadioGroup)
{
    EXPECT_EQ(ChartButtonScale(CB_SCALE5K), 5000);
    EXPECT_EQ(ChartButtonScale(CB_SCALE10K), 10000);
    EXPECT_EQ(ChartButtonScale(CB_SCALE25K), 25000);
    EXPECT_EQ(ChartButtonScale(CB_SCALE50K), 50000);
    EXPECT_EQ(ChartButtonScale(CB_SCALE100K), 100000);
    EXPECT_EQ(ChartButtonScale(CB_SEDRIXSQUARE), 0);
    EXPECT_EQ(ChartButtonScale(CHART_BUTTON_COUNT), 0);

    HWND bar = CreateChartButtonBar(chartWindow, recordClick);
    auto checkedScales = [&] {
        std::vector<int> checked;
        for (int b = CB_SCALE5K; b <= CB_SCALE100K; ++b)
            if (pushButton(bar, b)->isChecked())
                checked.push_back(ChartButtonScale(b));
        return checked;
    };
    SelectScaleButton(bar, 25000);
    EXPECT_EQ(checkedScales(), std::vector<int>{25000});
    SelectScaleButton(bar, 100000);
    EXPECT_EQ(checkedScales(), std::vector<int>{100000});
    SelectScaleButton(bar, 0);
    EXPECT_TRUE(checkedScales().empty());
}

} // namespace
