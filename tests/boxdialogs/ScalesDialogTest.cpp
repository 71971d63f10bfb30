// The box ranges dialog: its spin bars step the working bounds, OK copies them into the box and
// tells the classification window, and leaving with changes asks first.
#include "BoxEditorHost.h"
#include "classification/BoxDialogs.h"
#include "classification/SedrixNotifications.h"

#include <QLabel>
#include <QScrollBar>
#include <QTest>

namespace {

struct Bounds {
    float e1Max, e1Min, e2Max, e2Min;
};

void setBounds(BoxFile& box, const Bounds& b)
{
    box.e1Max = b.e1Max;
    box.e1Min = b.e1Min;
    box.e2Max = b.e2Max;
    box.e2Min = b.e2Min;
}

// E1's arrows: Sub is the upper one; E2's: Add is the right one.
constexpr auto upperOrRight(int spin)
{
    return spin == IDC_E1MAX_SPIN || spin == IDC_E1MIN_SPIN ? QAbstractSlider::SliderSingleStepSub
                                                           : QAbstractSlider::SliderSingleStepAdd;
}
constexpr auto lowerOrLeft(int spin)
{
    return upperOrRight(spin) == QAbstractSlider::SliderSingleStepSub ? QAbstractSlider::SliderSingleStepAdd
                                                                      : QAbstractSlider::SliderSingleStepSub;
}

class ScalesDialogTest : public BoxEditorHost {
protected:
    HWND open(const Bounds& b)
    {
        setBounds(boxFile, b);
        HWND dialog = ShowScalesDialog(sedrixWindow, &boxFile);
        EXPECT_NE(dialog, nullptr);
        return dialog;
    }
    void press(HWND dialog, int spin, QAbstractSlider::SliderAction action)
    {
        auto* bar = control<QScrollBar>(dialog, spin);
        ASSERT_NE(bar, nullptr);
        bar->triggerAction(action);
    }
    QString shown(HWND dialog, int value) { return control<QLabel>(dialog, value)->text(); }
    void click(HWND dialog, int id) { control<QAbstractButton>(dialog, id)->click(); }
};

struct StepCase {
    const char* what;
    Bounds bounds;
    int spin;
    bool up;
    int value;
    const char* shown;
};

TEST_F(ScalesDialogTest, ArrowsStepTheWorkingBoundsWithinTheirLimits)
{
    const StepCase cases[] = {
        {"E1 max 4.07 up", {4.07f, 0, 4.095f, 0}, IDC_E1MAX_SPIN, true, IDC_E1MAX_VALUE, "4.095"},
        {"E1 max 4.08 up", {4.08f, 0, 4.095f, 0}, IDC_E1MAX_SPIN, true, IDC_E1MAX_VALUE, "4.095"},
        {"E1 max 4.0 up", {4.0f, 0, 4.095f, 0}, IDC_E1MAX_SPIN, true, IDC_E1MAX_VALUE, "4.025"},
        {"E2 max 4.07 right", {4.095f, 0, 4.07f, 0}, IDC_E2MAX_SPIN, true, IDC_E2MAX_VALUE, "4.095"},
        {"E2 max 4.08 right", {4.095f, 0, 4.08f, 0}, IDC_E2MAX_SPIN, true, IDC_E2MAX_VALUE, "4.095"},
        {"E1 min 0.02 down", {4.095f, 0.02f, 4.095f, 0}, IDC_E1MIN_SPIN, false, IDC_E1MIN_VALUE, "0.000"},
        {"E2 min 0.02 left", {4.095f, 0, 4.095f, 0.02f}, IDC_E2MIN_SPIN, false, IDC_E2MIN_VALUE, "0.000"},
        {"E1 min 1.0 down", {4.095f, 1.0f, 4.095f, 0}, IDC_E1MIN_SPIN, false, IDC_E1MIN_VALUE, "0.975"},
        {"E1 max down, room", {1.0f, 0.9f, 4.095f, 0}, IDC_E1MAX_SPIN, false, IDC_E1MAX_VALUE, "0.975"},
        {"E1 max down, no room", {1.0f, 0.97f, 4.095f, 0}, IDC_E1MAX_SPIN, false, IDC_E1MAX_VALUE, "1.000"},
        {"E2 max left, no room", {4.095f, 0, 1.0f, 0.97f}, IDC_E2MAX_SPIN, false, IDC_E2MAX_VALUE, "1.000"},
        {"E1 min up, room", {1.0f, 0.5f, 4.095f, 0}, IDC_E1MIN_SPIN, true, IDC_E1MIN_VALUE, "0.525"},
        {"E2 min up, no room", {4.095f, 0, 1.0f, 0.97f}, IDC_E2MIN_SPIN, true, IDC_E2MIN_VALUE, "0.970"},
    };
    for (const StepCase& c : cases) {
        SCOPED_TRACE(c.what);
        HWND dialog = open(c.bounds);
        press(dialog, c.spin, c.up ? upperOrRight(c.spin) : lowerOrLeft(c.spin));
        EXPECT_EQ(shown(dialog, c.value), c.shown);
        // The box changes only by OK.
        EXPECT_EQ(boxFile.e1Max, c.bounds.e1Max);
        EXPECT_EQ(boxFile.e2Min, c.bounds.e2Min);
        click(dialog, IDCANCEL);
        ASSERT_TRUE(closed(dialog));
    }
    EXPECT_TRUE(win::scripted::boxes().empty());
}

TEST_F(ScalesDialogTest, ShowsTheBoundsAndIsOpenedOnce)
{
    HWND dialog = open({4.095f, 0.5f, 3.25f, 0.125f});
    EXPECT_EQ(win::widgetOf(dialog)->windowTitle(), "Sedrix Box Ranges (volts)");
    EXPECT_EQ(shown(dialog, IDC_E1MAX_VALUE), "4.095");
    EXPECT_EQ(shown(dialog, IDC_E1MIN_VALUE), "0.500");
    EXPECT_EQ(shown(dialog, IDC_E2MAX_VALUE), "3.250");
    EXPECT_EQ(shown(dialog, IDC_E2MIN_VALUE), "0.125");
    EXPECT_EQ(ShowScalesDialog(sedrixWindow, &boxFile), dialog);
}

TEST_F(ScalesDialogTest, TheUpperAndRightArrowsRaiseTheLowerAndLeftOnesLower)
{
    HWND dialog = open({2.0f, 1.0f, 2.0f, 1.0f});
    struct Click {
        int spin;
        bool firstArrow; // upper or left
        int value;
        const char* shown;
    };
    for (const Click& c : {Click{IDC_E1MAX_SPIN, true, IDC_E1MAX_VALUE, "2.025"},
                           Click{IDC_E1MIN_SPIN, false, IDC_E1MIN_VALUE, "0.975"},
                           Click{IDC_E2MAX_SPIN, false, IDC_E2MAX_VALUE, "2.025"},
                           Click{IDC_E2MIN_SPIN, true, IDC_E2MIN_VALUE, "0.975"}}) {
        SCOPED_TRACE(c.spin);
        auto* bar = control<QScrollBar>(dialog, c.spin);
        QPoint end = bar->rect().bottomRight() - QPoint(3, 3);
        QTest::mouseClick(bar, Qt::LeftButton, {}, c.firstArrow ? QPoint(3, 3) : end);
        EXPECT_EQ(shown(dialog, c.value), c.shown);
    }
}

TEST_F(ScalesDialogTest, OkCopiesTheBoundsAndTellsTheOwner)
{
    HWND dialog = open({4.095f, 0, 4.095f, 0});
    press(dialog, IDC_E1MAX_SPIN, QAbstractSlider::SliderSingleStepAdd); // lower arrow: down
    press(dialog, IDC_E2MIN_SPIN, QAbstractSlider::SliderSingleStepAdd); // right arrow: up
    click(dialog, IDOK);
    EXPECT_FLOAT_EQ(boxFile.e1Max, 4.07f);
    EXPECT_FLOAT_EQ(boxFile.e2Min, 0.025f);
    auto changed = awaitPosted(WM_SEDRIX_SCALES_CHANGED);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].lParam, reinterpret_cast<LPARAM>(dialog));
    EXPECT_TRUE(closed(dialog));
    EXPECT_TRUE(receivedBy(sedrixWindow, WM_SEDRIX_DIALOG_CLOSED).empty());
    EXPECT_TRUE(win::scripted::boxes().empty());
}

TEST_F(ScalesDialogTest, CancelLeavesTheBoxAndOnlySaysTheDialogIsDone)
{
    HWND dialog = open({4.095f, 0, 4.095f, 0});
    press(dialog, IDC_E1MIN_SPIN, QAbstractSlider::SliderSingleStepSub);
    click(dialog, IDCANCEL);
    EXPECT_EQ(awaitPosted(WM_SEDRIX_DIALOG_CLOSED).size(), 1u);
    EXPECT_TRUE(closed(dialog));
    EXPECT_EQ(boxFile.e1Min, 0.0f);
    EXPECT_TRUE(receivedBy(sedrixWindow, WM_SEDRIX_SCALES_CHANGED).empty());
    EXPECT_TRUE(win::scripted::boxes().empty());
}

TEST_F(ScalesDialogTest, DestroyedWithChangesAsksWhetherToKeepThem)
{
    struct Case {
        int answer;
        bool change;
        float e1Max;
    };
    for (const Case& c : {Case{IDYES, true, 4.07f}, Case{IDNO, true, 4.095f}, Case{IDYES, false, 4.095f}}) {
        SCOPED_TRACE(c.answer == IDYES ? (c.change ? "yes" : "no change") : "no");
        win::scripted::clear();
        received().clear();
        HWND dialog = open({4.095f, 0, 4.095f, 0});
        if (c.change)
            press(dialog, IDC_E1MAX_SPIN, QAbstractSlider::SliderSingleStepAdd);
        win::scripted::queueAnswer(c.answer);
        DestroyWindow(dialog);
        auto boxes = win::scripted::boxes();
        ASSERT_EQ(boxes.size(), c.change ? 1u : 0u);
        if (c.change) {
            EXPECT_EQ(boxes[0].text, "   Do you want to save the\n changes you made in the scales?");
            EXPECT_EQ(boxes[0].caption, "Varnel System Message");
            EXPECT_EQ(boxes[0].type, MB_YESNO | MB_ICONQUESTION);
        }
        EXPECT_FLOAT_EQ(boxFile.e1Max, c.e1Max);
        bool told = c.change && c.answer == IDYES;
        deliverPosted();
        EXPECT_EQ(receivedBy(sedrixWindow, WM_SEDRIX_SCALES_CHANGED).size(), told ? 1u : 0u);
    }
}

TEST_F(ScalesDialogTest, DestroyingTheOwnerClosesTheDialogWithTheQuestion)
{
    HWND dialog = open({4.095f, 0, 4.095f, 0});
    press(dialog, IDC_E2MAX_SPIN, QAbstractSlider::SliderSingleStepSub);
    win::scripted::queueAnswer(IDYES);
    DestroyWindow(sedrixWindow);
    EXPECT_FALSE(IsWindow(dialog));
    ASSERT_EQ(win::scripted::boxes().size(), 1u);
    EXPECT_FLOAT_EQ(boxFile.e2Max, 4.07f);
}

} // namespace
