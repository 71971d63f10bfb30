// The depth window over a chart window: columns in the class colours with the centre transducer
// on top, the statics, autoscale, its position and size rules, Hide and closing, and the Depth
// Ranges dialog driven through its controls.
#include "ToolWindowHost.h"

#include "chart/TrackPens.h"
#include "classification/BoxFile.h"
#include "frame/Inifile.h"
#include "frame/ProgramSettings.h"
#include "platform/dialogcontrols.h"
#include "database/CurrentTrack.h"
#include "trackwin/DepthScale.h"
#include "trackwin/DepthWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include <cmath>
#include <cstring>

namespace {

constexpr int SAND = 5;  // green
constexpr int MUD = 17;  // magenta
constexpr float SAND_E2 = 0.5f;
constexpr float MUD_E2 = 3.5f;
// The default rectangle on a 1024 x 768 screen with 20-pixel lines: a 296 x 119 plot.
constexpr int PLOT_WIDTH = 296;
constexpr int PLOT_HEIGHT = 119;

class DepthWindowTest : public ToolWindowHost {
protected:
    void SetUp() override
    {
        ToolWindowHost::SetUp();
        FillDefaultBox(&boxFile);
        for (int column = 0; column < BOX_CELLS; ++column)
            for (auto& cell : boxFile.grid[column])
                cell = column < BOX_CELLS / 2 ? SAND : MUD;
        std::strcpy(boxFile.classNames[SAND], "Sand");
        std::strcpy(boxFile.classNames[MUD], "Mud");
        ASSERT_TRUE(CreateChartPalette(nullptr));
        setDepthWindow(0, 40);
        transducerDraft = 0.0;
    }
    void TearDown() override
    {
        CloseDepthWindow();
        ToolWindowHost::TearDown();
    }

    static void setDepthWindow(float top, float bottom, int units = 0)
    {
        depthDisplay.units = int16_t(units);
        std::strcpy(depthDisplay.unitText, units == 0 ? "m" : units == 1 ? "ft" : "fm");
        depthDisplay.autoscale = 1;
        depthDisplay.top = top;
        depthDisplay.bottom = bottom;
        depthDisplay.range = bottom - top;
    }

    static void reading(int slot, float depth, int colour, float e2, float e1 = 1.0f)
    {
        TrackPoint point{depth, e1, e2, 577000000, 118000000, int16_t(colour)};
        SendMessageA(hwndDepthWnd, WM_NEW_READING, WPARAM(slot), reinterpret_cast<LPARAM>(&point));
    }

    QWidget* depthWidget() const { return win::widgetOf(hwndDepthWnd); }
    QWidget* plot() const { return depthWidget()->findChild<QWidget*>("DepthProfileWnd"); }
    QImage plotImage() const { return plot()->grab().toImage(); }
    QString text(int id) const { return depthWidget()->findChild<QLabel*>(QString::number(id))->text(); }
    QPushButton* button(int id) const { return depthWidget()->findChild<QPushButton*>(QString::number(id)); }

    static QDialog* rangesDialog()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "DEPTHSETDIALOG" && w->isVisible())
                return qobject_cast<QDialog*>(w);
        return nullptr;
    }
    QDialog* openRanges()
    {
        QTest::mouseClick(button(IDC_DEPTH_OPTIONS), Qt::LeftButton);
        return rangesDialog();
    }
    template <typename W>
    static W* control(QDialog* dialog, int id) { return win::controlOf<W>(dialog, id); }
    static QString value(QDialog* dialog, int id) { return control<QLabel>(dialog, id)->text(); }
    static void arrow(QDialog* dialog, int scrollId, bool up)
    {
        control<QScrollBar>(dialog, scrollId)->triggerAction(up ? QAbstractSlider::SliderSingleStepSub
                                                                 : QAbstractSlider::SliderSingleStepAdd);
    }
    // On the indicator of a check box or radio button: their text does not fill their width.
    static void click(QDialog* dialog, int id)
    {
        QAbstractButton* b = control<QAbstractButton>(dialog, id);
        const bool indicator = qobject_cast<QCheckBox*>(b) || qobject_cast<QRadioButton*>(b);
        QTest::mouseClick(b, Qt::LeftButton, {}, indicator ? QPoint(8, b->height() / 2) : b->rect().center());
    }

    static RECT windowRect(HWND window)
    {
        RECT r{};
        GetWindowRect(window, &r);
        return r;
    }
    static int barTop(float depth, float bottom, float range)
    {
        return PLOT_HEIGHT - int((bottom - depth) * (float(PLOT_HEIGHT) / range));
    }
};

TEST_F(DepthWindowTest, ColumnsShowEveryTransducerInItsClassColourWithTheCentreOnTop)
{
    ASSERT_TRUE(ShowDepthWindow(chartWindow));
    ASSERT_EQ(plot()->width(), PLOT_WIDTH + 12);
    ASSERT_EQ(plot()->height(), PLOT_HEIGHT);
    for (int ping = 0; ping < 30; ++ping) {
        reading(0, 30.0f, SAND, SAND_E2);
        reading(1, 20.0f, MUD, MUD_E2); // transducer +1: drawn first, under the centre
    }
    const QImage image = plotImage();
    const int x = PLOT_WIDTH - 1 - 5;
    const int centreTop = barTop(30, 40, 40), starboardTop = barTop(20, 40, 40);
    EXPECT_EQ(image.pixelColor(x, PLOT_HEIGHT - 2), PaletteColour(SAND));
    EXPECT_EQ(image.pixelColor(x, centreTop + 2), PaletteColour(SAND));
    EXPECT_EQ(image.pixelColor(x, centreTop - 3), PaletteColour(MUD));
    EXPECT_EQ(image.pixelColor(x, starboardTop), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(x, starboardTop - 3), QColor(127, 127, 127));
    // Columns no reading has reached stay empty.
    EXPECT_EQ(image.pixelColor(PLOT_WIDTH - 1 - 40, PLOT_HEIGHT - 2), QColor(127, 127, 127));
    // The marker beside the plot at the centre depth, in its colour.
    EXPECT_EQ(image.pixelColor(PLOT_WIDTH + 5, centreTop - 1), PaletteColour(SAND));
    EXPECT_EQ(image.pixelColor(PLOT_WIDTH + 5, centreTop - 10), QColor(Qt::black));

    EXPECT_EQ(text(IDC_DEPTH_TEXT), "Depth  20.0 m");
    EXPECT_EQ(text(IDC_SEABED_TEXT), "Mud");
    reading(0, 30.0f, SAND, SAND_E2, 9.0f);
    EXPECT_EQ(text(IDC_SEABED_TEXT), "<Ext>");
    EXPECT_EQ(text(IDC_DEPTH_TEXT), "Depth  30.0 m");
}

TEST_F(DepthWindowTest, SlotFourIsIgnored)
{
    ASSERT_TRUE(ShowDepthWindow(chartWindow));
    reading(0, 12.0f, SAND, SAND_E2);
    const QImage before = plotImage();
    reading(4, 35.0f, MUD, MUD_E2);
    reading(4, 35.0f, MUD, MUD_E2);
    EXPECT_EQ(text(IDC_DEPTH_TEXT), "Depth  12.0 m");
    EXPECT_EQ(text(IDC_SEABED_TEXT), "Sand");
    EXPECT_EQ(plotImage(), before);
}

TEST_F(DepthWindowTest, AutoscaleMovesTheDepthWindowOnTheSecondReadingOutside)
{
    ASSERT_TRUE(ShowDepthWindow(chartWindow));
    reading(0, 50.0f, SAND, SAND_E2);
    EXPECT_FLOAT_EQ(depthDisplay.top, 0);
    reading(0, 50.0f, SAND, SAND_E2);
    EXPECT_FLOAT_EQ(depthDisplay.top, 20);
    EXPECT_FLOAT_EQ(depthDisplay.bottom, 60);
    // The column is drawn against the moved window.
    EXPECT_EQ(plotImage().pixelColor(PLOT_WIDTH - 1, barTop(50, 60, 40) + 2), PaletteColour(SAND));

    depthDisplay.autoscale = 0;
    reading(0, 90.0f, SAND, SAND_E2);
    reading(0, 90.0f, SAND, SAND_E2);
    EXPECT_FLOAT_EQ(depthDisplay.top, 20);
}

TEST_F(DepthWindowTest, DepthIsMeasuredBelowTheDraftInTheDisplayUnits)
{
    ASSERT_TRUE(ShowDepthWindow(chartWindow));
    transducerDraft = 1.5;
    reading(0, 1.0f, SAND, SAND_E2);
    EXPECT_EQ(text(IDC_DEPTH_TEXT), "Depth   0.0 m");
    setDepthWindow(0, 100, 1);
    reading(0, 11.5f, SAND, SAND_E2);
    EXPECT_EQ(text(IDC_DEPTH_TEXT), "Depth  32.8 ft");
    reading(0, 151.5f, SAND, SAND_E2);
    EXPECT_EQ(text(IDC_DEPTH_TEXT), "Depth  492 ft");
}

TEST_F(DepthWindowTest, StoredPositionsBreakingTheSizeRulesGiveTheDefaultRectangle)
{
    struct Case {
        const char* what;
        RECT stored;
        RECT expected;
    };
    const RECT byDefault{0, 557, 356, 728};
    const Case cases[] = {
        {"nothing stored", {PROFILE_ABSENT, 0, 0, 0}, byDefault}, // first: the data root is fresh
        {"usable", {100, 300, 500, 480}, {100, 300, 500, 480}},
        {"too narrow", {100, 300, 400, 480}, byDefault},
        {"too wide", {0, 300, 600, 480}, byDefault},
        {"too low", {100, 300, 500, 420}, byDefault},
        {"too high", {100, 100, 500, 420}, byDefault},
        {"below the bottom lines", {100, 730, 500, 900}, byDefault},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RECT stored = c.stored;
        if (stored.left != PROFILE_ABSENT)
            SavePosition(&stored, "DepthWnd");
        HWND window = ShowDepthWindow(chartWindow);
        ASSERT_TRUE(window);
        const RECT r = windowRect(window);
        EXPECT_EQ(r.left, c.expected.left);
        EXPECT_EQ(r.top, c.expected.top);
        EXPECT_EQ(r.right, c.expected.right);
        EXPECT_EQ(r.bottom, c.expected.bottom);
        RECT kept{};
        EXPECT_EQ(LoadPosition(&kept, "DepthWnd"), 1);
        EXPECT_EQ(kept.right, c.expected.right);
        CloseDepthWindow();
    }
    ShowDepthWindow(chartWindow);
    EXPECT_EQ(depthWidget()->minimumSize(), QSize(1024 / 4 + 70, 768 / 8 + 40));
}

TEST_F(DepthWindowTest, DraggedByAnyPointAndThePlaceIsKept)
{
    HWND window = ShowDepthWindow(chartWindow);
    ASSERT_TRUE(window);
    QTest::mousePress(depthWidget(), Qt::LeftButton, {}, QPoint(200, 160));
    QTest::mouseMove(depthWidget(), QPoint(250, 140));
    QTest::mouseRelease(depthWidget(), Qt::LeftButton, {}, QPoint(250, 140));
    const RECT r = windowRect(window);
    EXPECT_EQ(r.left, 50);
    EXPECT_EQ(r.top, 537);
    EXPECT_EQ(r.right - r.left, 356);
    RECT kept{};
    ASSERT_EQ(LoadPosition(&kept, "DepthWnd"), 1);
    EXPECT_EQ(kept.left, 50);
    EXPECT_EQ(kept.top, 537);
}

TEST_F(DepthWindowTest, HideAsksTheChartToCloseAndClosingStoresStatusAndSettings)
{
    ASSERT_TRUE(ShowDepthWindow(chartWindow));
    int32_t status = 0;
    LoadStatus(&status, "DepthWnd");
    EXPECT_EQ(status, 1);
    QTest::mouseClick(button(IDC_DEPTH_HIDE), Qt::LeftButton);
    const auto asked = receivedBy(chartWindow, WM_TOOLWINDOW_CLOSED);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].wParam, WPARAM(DEPTHWND));

    setDepthWindow(12, 47, 1);
    depthDisplay.autoscale = 0;
    HWND window = hwndDepthWnd;
    CloseDepthWindow();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(hwndDepthWnd, nullptr);
    LoadStatus(&status, "DepthWnd");
    EXPECT_EQ(status, 0);
    int32_t units = -1, autoscale = -1;
    float top = 0, bottom = 0, range = 0;
    LoadDepthUnits(&units);
    LoadDepthAutoscale(&autoscale);
    LoadDepthLimits(&top, &bottom);
    LoadDepthRange(&range);
    EXPECT_EQ(units, 1);
    EXPECT_EQ(autoscale, 0);
    EXPECT_FLOAT_EQ(top, 12);
    EXPECT_FLOAT_EQ(bottom, 47);
    EXPECT_FLOAT_EQ(range, 35);
}

TEST_F(DepthWindowTest, RangesDialogConvertsMetresToFeetAndOkPutsItInForce)
{
    setDepthWindow(10, 40);
    ASSERT_TRUE(ShowDepthWindow(chartWindow));
    reading(0, 20.0f, SAND, SAND_E2);
    QDialog* dialog = openRanges();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->windowTitle(), "Depth Ranges");
    EXPECT_TRUE(control<QRadioButton>(dialog, IDC_METRES)->isChecked());
    EXPECT_TRUE(control<QCheckBox>(dialog, IDC_AUTOSCALE)->isChecked());
    EXPECT_EQ(value(dialog, IDC_TOP_VALUE), "  10");
    EXPECT_EQ(value(dialog, IDC_BOTTOM_VALUE), "  40");
    EXPECT_EQ(value(dialog, IDC_RANGE_VALUE), "  30");

    click(dialog, IDC_FEET);
    EXPECT_EQ(value(dialog, IDC_TOP_VALUE), "  32");
    EXPECT_EQ(value(dialog, IDC_BOTTOM_VALUE), " 131");
    EXPECT_EQ(value(dialog, IDC_RANGE_VALUE), "  99");
    click(dialog, IDC_AUTOSCALE);
    EXPECT_FLOAT_EQ(depthDisplay.top, 10); // only the working copy so far
    click(dialog, IDOK);
    QTRY_VERIFY(!rangesDialog());

    EXPECT_EQ(depthDisplay.units, 1);
    EXPECT_STREQ(depthDisplay.unitText, "ft");
    EXPECT_EQ(depthDisplay.autoscale, 0);
    EXPECT_FLOAT_EQ(depthDisplay.top, 32);
    EXPECT_FLOAT_EQ(depthDisplay.bottom, 131);
    int32_t units = 0;
    float top = 0, bottom = 0;
    LoadDepthUnits(&units);
    LoadDepthLimits(&top, &bottom);
    EXPECT_EQ(units, 1);
    EXPECT_FLOAT_EQ(top, 32);
    EXPECT_FLOAT_EQ(bottom, 131);
    // The 20 m already drawn is now 65.6 ft against the new scale.
    const QImage image = plotImage();
    const int top656 = PLOT_HEIGHT - int((131 - 20 * 3.280839f) * (float(PLOT_HEIGHT) / 99));
    EXPECT_EQ(image.pixelColor(PLOT_WIDTH - 1, top656 + 2), PaletteColour(SAND));
    EXPECT_EQ(image.pixelColor(PLOT_WIDTH - 1, top656 - 3), QColor(127, 127, 127));
}

TEST_F(DepthWindowTest, OptionsAlsoOpensTheDepthScaleWhileATrackIsColouredByDepth)
{
    ASSERT_TRUE(ShowDepthWindow(chartWindow));
    globaltrackstatus.field[TS_CURRENT_COLOUR] = 5;
    globaltrackstatus.field[TS_CURRENT_BY_CLASS] = 1;
    ASSERT_TRUE(openRanges());
    EXPECT_FALSE(FindWindowA("DepthColourWnd", nullptr));
    globaltrackstatus.field[TS_CURRENT_BY_CLASS] = 0;
    ASSERT_TRUE(openRanges());
    EXPECT_TRUE(FindWindowA("DepthColourWnd", nullptr));
    CloseDepthScaleWindow();
    globaltrackstatus.field[TS_CURRENT_COLOUR] = 0;
}

TEST_F(DepthWindowTest, RangesDialogArrowsStopAtTheirLimits)
{
    setDepthWindow(0, 20);
    ASSERT_TRUE(ShowDepthWindow(chartWindow));
    QDialog* dialog = openRanges();
    ASSERT_TRUE(dialog);
    arrow(dialog, IDC_TOP_SCROLL, true); // top 0: nothing
    EXPECT_EQ(value(dialog, IDC_TOP_VALUE), "   0");
    arrow(dialog, IDC_TOP_SCROLL, false);
    EXPECT_EQ(value(dialog, IDC_TOP_VALUE), "   1");
    EXPECT_EQ(value(dialog, IDC_RANGE_VALUE), "  19");
    for (int i = 0; i < 20; ++i)
        arrow(dialog, IDC_RANGE_SCROLL, true);
    EXPECT_EQ(value(dialog, IDC_RANGE_VALUE), "  10");
    EXPECT_EQ(value(dialog, IDC_BOTTOM_VALUE), "  11");
    arrow(dialog, IDC_BOTTOM_SCROLL, true); // the range is at 10 already
    EXPECT_EQ(value(dialog, IDC_BOTTOM_VALUE), "  11");
    arrow(dialog, IDC_BOTTOM_SCROLL, false);
    EXPECT_EQ(value(dialog, IDC_BOTTOM_VALUE), "  12");
    // The thumb never moves, so every click is an arrow again.
    EXPECT_EQ(control<QScrollBar>(dialog, IDC_BOTTOM_SCROLL)->value(), 1);
    click(dialog, IDCANCEL);
    QTRY_VERIFY(!rangesDialog());
    EXPECT_FLOAT_EQ(depthDisplay.top, 0);
    EXPECT_FLOAT_EQ(depthDisplay.bottom, 20);
}

TEST_F(DepthWindowTest, CancelLeavesTheUnitsAndTheHistoryAsTheyWere)
{
    ASSERT_TRUE(ShowDepthWindow(chartWindow));
    for (int ping = 0; ping < 20; ++ping)
        reading(0, 15.0f + ping, SAND, SAND_E2);
    const QImage before = plotImage();
    QDialog* dialog = openRanges();
    ASSERT_TRUE(dialog);
    click(dialog, IDC_FATHOMS);
    click(dialog, IDCANCEL);
    QTRY_VERIFY(!rangesDialog());
    EXPECT_EQ(depthDisplay.units, 0);
    EXPECT_FLOAT_EQ(depthDisplay.bottom, 40);
    EXPECT_EQ(plotImage(), before);
}

TEST_F(DepthWindowTest, ClosingTheWindowOverAnOpenDialogAsksAboutTheChanges)
{
    struct Case {
        int answer;
        int units;
    };
    for (const Case& c : {Case{IDYES, 1}, Case{IDNO, 0}}) {
        SCOPED_TRACE(c.answer);
        setDepthWindow(10, 40);
        win::scripted::clear();
        ASSERT_TRUE(ShowDepthWindow(chartWindow));
        QDialog* dialog = openRanges();
        ASSERT_TRUE(dialog);
        click(dialog, IDC_FEET);
        win::scripted::queueAnswer(c.answer);
        CloseDepthWindow();
        const auto boxes = win::scripted::boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "   Do you want to save the changes\n you made in the depth ranges?");
        EXPECT_EQ(boxes[0].caption, "Varnel System Message");
        EXPECT_EQ(boxes[0].type, UINT(MB_YESNO | MB_ICONQUESTION | MB_SYSTEMMODAL));
        EXPECT_EQ(depthDisplay.units, c.units);
        int32_t stored = -1;
        LoadDepthUnits(&stored);
        EXPECT_EQ(stored, c.units);
        EXPECT_FALSE(rangesDialog());
    }
}

TEST_F(DepthWindowTest, TheProgramWindowGoingWithTheDialogOpenIsSafe)
{
    ASSERT_TRUE(ShowDepthWindow(chartWindow));
    ASSERT_TRUE(openRanges());
    win::scripted::queueAnswer(IDNO);
    delete mainWidget;
    mainWidget = nullptr;
    EXPECT_EQ(hwndDepthWnd, nullptr);
    EXPECT_FALSE(rangesDialog());
}

// A survey line over a sloping seabed of three classes, for looking at.
TEST_F(DepthWindowTest, GrabAfterAStreamOfReadings)
{
    ASSERT_TRUE(ShowDepthWindow(chartWindow));
    for (int ping = 0; ping < 400; ++ping) {
        const float seabed = 18.0f + 8.0f * std::sin(ping / 40.0f) + ping / 20.0f;
        const int centreClass = ping % 120 < 50 ? SAND : (ping % 120 < 90 ? MUD : 23);
        reading(0, seabed, centreClass, centreClass == MUD ? MUD_E2 : SAND_E2);
        reading(1, seabed - 2.0f, 2, SAND_E2);
        reading(7, seabed + 2.5f, 11, SAND_E2);
    }
    QTest::mouseClick(button(IDC_DEPTH_OPTIONS), Qt::LeftButton);
    QDialog* dialog = rangesDialog();
    ASSERT_TRUE(dialog);
    const QImage window = depthWidget()->grab().toImage();
    keepGrab(window, "depth-window");
    keepGrab(dialog->grab().toImage(), "depth-ranges");
    keepGrab(mainWidget->grab().toImage(), "depth-window-on-chart");
    // Autoscale has followed the deepening seabed.
    EXPECT_GT(depthDisplay.top, 0);
    EXPECT_FALSE(window.isNull());
}

} // namespace
