// The Track Options dialog through its controls: the scroll steps, the visible box held while
// saving, the transducer boxes, the colour buttons and what OK and "Discard changes" commit and
// post, the replay options applied at once, and a second open request closing it.
#include "TrackWindows.h"

#include "chart/TrackPens.h"
#include "frame/SedrixToolbar.h"
#include "platform/profile.h"
#include "replay/ReplayFlags.h"

#include <atomic>

namespace {

using TrackOptions = TrackWindows;

HWND openDialog(HWND chart)
{
    OpenTrackOptions(chart);
    return trackOptionsWindow();
}

int profileSaveRate()
{
    return int(GetPrivateProfileIntA("Replay", "Save Rate", -1, "VARNEL.INI"));
}

TEST_F(TrackOptions, SaveEveryStepsByOnesToAHundredThenByTensTo990AndBack)
{
    globaltrackstatus.field[TS_SAVE_RATE] = 98;
    HWND dialog = openDialog(chartWindow);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(textOf(dialog, IDC_SAVE_EVERY), " 98");
    EXPECT_EQ(textOf(dialog, IDC_SAVE_EVERY_UNIT), "th point");

    std::vector<int> up, expectedUp{99, 100};
    for (int v = 110; v <= 990; v += 10)
        expectedUp.push_back(v);
    expectedUp.push_back(990); // and stops
    for (size_t i = 0; i < expectedUp.size(); ++i) {
        clickArrow(dialog, IDC_SAVE_EVERY_SCROLL, true);
        up.push_back(textOf(dialog, IDC_SAVE_EVERY).toInt());
    }
    EXPECT_EQ(up, expectedUp);

    std::vector<int> down, expectedDown;
    for (int v = 980; v >= 100; v -= 10)
        expectedDown.push_back(v);
    for (int v = 99; v >= 1; --v)
        expectedDown.push_back(v);
    expectedDown.push_back(1);
    for (size_t i = 0; i < expectedDown.size(); ++i) {
        clickArrow(dialog, IDC_SAVE_EVERY_SCROLL, false);
        down.push_back(textOf(dialog, IDC_SAVE_EVERY).toInt());
    }
    EXPECT_EQ(down, expectedDown);
    EXPECT_EQ(textOf(dialog, IDC_SAVE_EVERY), "  1");
    EXPECT_EQ(textOf(dialog, IDC_SAVE_EVERY_UNIT), "point");
    clickArrow(dialog, IDC_SAVE_EVERY_SCROLL, true);
    EXPECT_EQ(textOf(dialog, IDC_SAVE_EVERY_UNIT), "nd point");
    clickArrow(dialog, IDC_SAVE_EVERY_SCROLL, true);
    EXPECT_EQ(textOf(dialog, IDC_SAVE_EVERY_UNIT), "rd point");

    // Nothing is committed before OK; OK keeps the rate in the profile as the status is saved.
    EXPECT_EQ(globaltrackstatus.field[TS_SAVE_RATE], 98);
    click(dialog, IDOK);
    EXPECT_TRUE(chartReceives(WM_TOOLWINDOW_CLOSED, TRACKOPTIONSDLG));
    EXPECT_EQ(globaltrackstatus.field[TS_SAVE_RATE], 3);
    EXPECT_EQ(profileSaveRate(), 3);
    EXPECT_FALSE(trackOptionsWindow());
}

TEST_F(TrackOptions, PenWidthsAndDensityStayInTheirRanges)
{
    globaltrackstatus.field[TS_CURRENT_PEN_WIDTH] = 98;
    globaltrackstatus.field[TS_PAST_PEN_WIDTH] = 2;
    plotDensity = 99;
    HWND dialog = openDialog(chartWindow);
    for (int i = 0; i < 3; ++i) {
        clickArrow(dialog, IDC_CURRENT_PEN_SCROLL, true);
        clickArrow(dialog, IDC_PAST_PEN_SCROLL, false);
        clickArrow(dialog, IDC_DENSITY_SCROLL, true);
    }
    EXPECT_EQ(textOf(dialog, IDC_CURRENT_PEN), "99");
    EXPECT_EQ(textOf(dialog, IDC_PAST_PEN), " 1");
    EXPECT_EQ(textOf(dialog, IDC_DENSITY), "100");
    for (int i = 0; i < 101; ++i)
        clickArrow(dialog, IDC_DENSITY_SCROLL, false);
    EXPECT_EQ(textOf(dialog, IDC_DENSITY), " 1");

    click(dialog, IDOK);
    EXPECT_EQ(plotDensity, 1);
    EXPECT_EQ(globaltrackstatus.field[TS_PAST_PEN_WIDTH], 1);
    // The pens are made again at the new widths.
    EXPECT_EQ(CurrentTrackPens[0].width(), 99);
    EXPECT_EQ(PastTrackPens[0].width(), 1);
    EXPECT_EQ(globaltrackstatus.field[TS_REDRAW_PENDING], 1);
}

TEST_F(TrackOptions, CurrentVisibleIsHeldWhileSaving)
{
    globaltrackstatus.field[TS_SAVING] = 1;
    HWND dialog = openDialog(chartWindow);
    ASSERT_TRUE(checked(dialog, IDC_CURRENT_VISIBLE));
    click(dialog, IDC_CURRENT_VISIBLE);
    EXPECT_TRUE(checked(dialog, IDC_CURRENT_VISIBLE));
    // Saving stops while the dialog is open: OK must not switch it back on.
    globaltrackstatus.field[TS_SAVING] = 0;
    click(dialog, IDOK);
    EXPECT_EQ(globaltrackstatus.field[TS_CURRENT_VISIBLE], 1);
    EXPECT_EQ(globaltrackstatus.field[TS_SAVING], 0);
    EXPECT_EQ(globaltrackstatus.field[TS_REDRAW_PENDING], 0);

    ASSERT_TRUE(chartReceives(WM_TOOLWINDOW_CLOSED, TRACKOPTIONSDLG));
    dialog = openDialog(chartWindow);
    click(dialog, IDC_CURRENT_VISIBLE);
    EXPECT_FALSE(checked(dialog, IDC_CURRENT_VISIBLE));
    click(dialog, IDOK);
    EXPECT_EQ(globaltrackstatus.field[TS_CURRENT_VISIBLE], 0);
    EXPECT_EQ(globaltrackstatus.field[TS_REDRAW_PENDING], 1);
    TrackStatus stored{};
    ASSERT_EQ(DBLoadTrackStatus(&stored), 1);
    EXPECT_EQ(stored.field[TS_CURRENT_VISIBLE], 0);
}

TEST_F(TrackOptions, ShowAllAndTheTransducerBoxes)
{
    afShowTransducer[4] = 0;
    HWND dialog = openDialog(chartWindow);
    ASSERT_TRUE(checked(dialog, IDC_SHOW_ALL_TRANSDUCERS));
    const int showPlus2 = IDC_SHOW_MINUS3 + 5;
    click(dialog, showPlus2);
    EXPECT_FALSE(checked(dialog, IDC_SHOW_ALL_TRANSDUCERS));
    EXPECT_EQ(afShowTransducer[2], 1); // not before OK
    click(dialog, IDOK);
    EXPECT_EQ(afShowTransducer[2], 0);
    for (int slot : {0, 1, 3, 5, 6, 7})
        EXPECT_EQ(afShowTransducer[slot], 1) << slot;
    ASSERT_TRUE(chartReceives(WM_TOOLWINDOW_CLOSED, TRACKOPTIONSDLG));

    // "Show -2" off as well, then Show All sets all seven again; slot 4 is none of them.
    dialog = openDialog(chartWindow);
    EXPECT_FALSE(checked(dialog, IDC_SHOW_ALL_TRANSDUCERS));
    EXPECT_FALSE(checked(dialog, showPlus2));
    click(dialog, IDC_SHOW_MINUS3 + 1);
    click(dialog, IDC_SHOW_ALL_TRANSDUCERS);
    for (int id = IDC_SHOW_MINUS3; id <= IDC_SHOW_PLUS3; ++id)
        EXPECT_TRUE(checked(dialog, id)) << id;
    click(dialog, IDOK);
    for (int slot : {0, 1, 2, 3, 5, 6, 7})
        EXPECT_EQ(afShowTransducer[slot], 1) << slot;
    EXPECT_EQ(afShowTransducer[4], 0);
}

TEST_F(TrackOptions, PastColourButtonsSetTheStatusAndTheToolbarImage)
{
    struct Case {
        int button;
        int choice;
        int byClass;
    };
    const Case cases[] = {{IDC_PAST_BLACK, 0, 0}, {IDC_PAST_RED, 1, 0},    {IDC_PAST_GREEN, 2, 0},
                          {IDC_PAST_GREY, 3, 0},  {IDC_PAST_SEDRIX, 4, 1}, {IDC_PAST_DEPTH, 5, 0}};
    for (const Case& c : cases) {
        received().clear();
        HWND dialog = openDialog(chartWindow);
        ASSERT_TRUE(dialog);
        click(dialog, c.button);
        for (int id : PAST_COLOUR_BUTTONS)
            EXPECT_EQ(checked(dialog, id), id == c.button) << c.button << " " << id;
        click(dialog, IDOK);
        EXPECT_EQ(globaltrackstatus.field[TS_PAST_COLOUR], c.choice);
        EXPECT_EQ(globaltrackstatus.field[TS_PAST_BY_CLASS], c.byClass);
        ASSERT_TRUE(chartReceives(WM_TOOLWINDOW_CLOSED, TRACKOPTIONSDLG));
        auto images = receivedBy(hwndSedrixToolbar, WM_TOOLBAR_IMAGE);
        ASSERT_EQ(images.size(), 1u);
        EXPECT_EQ(images[0].wParam, WPARAM(IDM_PAST_COLOUR));
        EXPECT_EQ(PastColourImage(int(images[0].lParam)), c.choice <= 3 ? c.choice + 6 : c.choice == 5 ? 5 : 0);
        EXPECT_EQ(receivedBy(chartWindow, WM_DEPTH_COLOURS).empty(), c.choice != 5) << c.choice;
    }
    // Coloured by depth: the chart window opened the Depth Scale; the toolbar got image 5.
    EXPECT_EQ(receivedBy(hwndSedrixToolbar, WM_TOOLBAR_IMAGE).back().lParam, 5);
    EXPECT_TRUE(depthScaleWindow());
}

TEST_F(TrackOptions, CurrentColourButtonsAndTheDialogOpeningOnTheStatus)
{
    HWND dialog = openDialog(chartWindow);
    // A new database colours both tracks by class.
    EXPECT_TRUE(checked(dialog, IDC_CURRENT_SEDRIX));
    EXPECT_TRUE(checked(dialog, IDC_PAST_SEDRIX));
    click(dialog, IDC_CURRENT_RED);
    EXPECT_FALSE(checked(dialog, IDC_CURRENT_SEDRIX));
    click(dialog, IDOK);
    EXPECT_EQ(globaltrackstatus.field[TS_CURRENT_COLOUR], 1);
    EXPECT_EQ(globaltrackstatus.field[TS_CURRENT_BY_CLASS], 0);
    // Every current pen draws red now.
    EXPECT_EQ(CurrentTrackPens[3].color(), PaletteColour(11));
    ASSERT_TRUE(chartReceives(WM_TOOLWINDOW_CLOSED, TRACKOPTIONSDLG));

    globaltrackstatus.field[TS_CURRENT_COLOUR] = 9;
    globaltrackstatus.field[TS_PAST_BY_CLASS] = 0;
    globaltrackstatus.field[TS_PAST_COLOUR] = 2;
    dialog = openDialog(chartWindow);
    EXPECT_TRUE(checked(dialog, IDC_CURRENT_DEPTH));
    EXPECT_TRUE(checked(dialog, IDC_PAST_GREEN));
}

TEST_F(TrackOptions, DiscardDropsTheChangesButKeepsTheReplayOptions)
{
    std::atomic<int32_t> stopAtEof{0}, eraseOnRepeat{1};
    hSwath.pfStopReplayAtEOF = &stopAtEof;
    hSwath.pfEraseOnRepeat = &eraseOnRepeat;
    bReplayRedrawPending = true;
    globaltrackstatus.field[TS_REDRAW_PENDING] = 1;
    const TrackStatus before = globaltrackstatus;

    HWND dialog = openDialog(chartWindow);
    EXPECT_FALSE(checked(dialog, IDC_STOP_AT_EOF));
    EXPECT_TRUE(checked(dialog, IDC_ERASE_ON_REPEAT));
    click(dialog, IDC_STOP_AT_EOF);
    EXPECT_EQ(stopAtEof.load(), 1);
    click(dialog, IDC_ERASE_ON_REPEAT);
    EXPECT_EQ(eraseOnRepeat.load(), 0);
    EXPECT_FALSE(bReplayRedrawPending);
    clickArrow(dialog, IDC_CURRENT_PEN_SCROLL, true);
    click(dialog, IDC_PAST_VISIBLE);
    click(dialog, IDC_OUTLINING);

    click(dialog, IDCANCEL);
    ASSERT_TRUE(chartReceives(WM_TOOLWINDOW_CLOSED, TRACKOPTIONSDLG));
    EXPECT_EQ(receivedBy(chartWindow, WM_TOOLWINDOW_CLOSED).back().lParam, IDCANCEL);
    EXPECT_FALSE(trackOptionsWindow());
    EXPECT_EQ(stopAtEof.load(), 1);
    EXPECT_EQ(eraseOnRepeat.load(), 0);
    EXPECT_EQ(globaltrackstatus.field[TS_REDRAW_PENDING], 0);
    for (int field = 0; field < TS_REDRAW_PENDING; ++field)
        EXPECT_EQ(globaltrackstatus.field[field], before.field[field]) << field;
    EXPECT_TRUE(receivedBy(hwndSedrixToolbar, WM_TOOLBAR_IMAGE).empty());
}

TEST_F(TrackOptions, WithoutTheReplayModuleItsOptionsAreDisabled)
{
    HWND dialog = openDialog(chartWindow);
    EXPECT_FALSE(controlOf(dialog, IDC_STOP_AT_EOF)->isEnabled());
    EXPECT_FALSE(controlOf(dialog, IDC_ERASE_ON_REPEAT)->isEnabled());
}

TEST_F(TrackOptions, ASecondOpenRequestClosesIt)
{
    HWND dialog = openDialog(chartWindow);
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(win::widgetOf(dialog)->isVisible());
    EXPECT_EQ(win::widgetOf(dialog)->parentWidget(), mainWidget);
    OpenTrackOptions(chartWindow);
    ASSERT_TRUE(chartReceives(WM_TOOLWINDOW_CLOSED, TRACKOPTIONSDLG));
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_TRUE(openDialog(chartWindow));
}

TEST_F(TrackOptions, DepthScaleButtonOpensTheDepthScale)
{
    HWND dialog = openDialog(chartWindow);
    click(dialog, IDC_DEPTH_SCALE);
    EXPECT_EQ(receivedBy(chartWindow, WM_DEPTH_COLOURS).size(), 1u);
    EXPECT_TRUE(depthScaleWindow());
    EXPECT_TRUE(trackOptionsWindow());
}

} // namespace
