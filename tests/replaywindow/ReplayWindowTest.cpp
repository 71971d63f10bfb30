// The replay window's controls clicked as a user clicks them: the flags and check states of
// every button, pause and step, the interval's arrows, opening, closing and moving, and the
// messages for a module without the replay functions.
#include "ReplayWindowFixture.h"

#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>

#include <cstdlib>
#include <functional>

namespace {

using ReplayWindow = ReplayWindowTest;

// The window looked at: saved where TIDEVANE_GRABS names a folder.
void keepGrab(QWidget* widget, const char* name)
{
    if (const char* folder = std::getenv("TIDEVANE_GRABS"))
        widget->grab().save(QString("%1/%2.png").arg(folder, name));
}

RECT windowRect(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

TEST_F(ReplayWindow, OpensAsASmallTapeDeckAtTheSedrixWindowsPlace)
{
    loadReplayModule();
    ShowReplayWindow(chartWindow);
    ASSERT_TRUE(hwndReplay);
    EXPECT_TRUE(win::scripted::boxes().empty());
    EXPECT_EQ(GetParent(hwndReplay), chartWindow);
    EXPECT_EQ(dialog()->parentWidget(), mainWidget);
    EXPECT_TRUE(dialog()->isVisible());
    char title[16];
    GetWindowTextA(hwndReplay, title, sizeof title);
    EXPECT_STREQ(title, "Replay");

    // Nothing stored yet: the Sedrix window's default top-left (760, 432 on 1024 x 768 with an
    // 18-pixel caption), stored for both windows.
    const ScreenMetrics& m = screenMetrics;
    const int left = m.W - 32 * m.unit - 8, top = m.H - 32 * m.unit - 4 * m.L;
    const RECT r = windowRect(hwndReplay);
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    RECT stored{};
    ASSERT_EQ(LoadPosition(&stored, "ReplayWnd"), 1);
    EXPECT_EQ(stored.left, left);
    EXPECT_EQ(stored.top, top);
    EXPECT_EQ(profileText("SedrixWnd", "Left"), std::to_string(left));
    EXPECT_EQ(profileText("SedrixWnd", "Top"), std::to_string(top));
    EXPECT_EQ(status(), "On");

    // Two columns of 12 x 14 dialog-unit buttons, row by row, the pause button not shown.
    const struct {
        int id;
        const char* label;
        int column, row;
    } deck[] = {{IDC_BUTTON_REV, "<", 0, 0},     {IDC_BUTTON_PLAY, ">", 1, 0},
                {IDC_BUTTON_FASTREV, "<<", 0, 1}, {IDC_BUTTON_FASTFWD, ">>", 1, 1},
                {IDC_BUTTON_HOME, "|<<", 0, 2},   {IDC_BUTTON_END, ">>|", 1, 2},
                {IDC_BUTTON_STOP, "[]", 0, 3},    {IDC_BUTTON_PAUSE, "||", 1, 3},
                {IDOK, "X", 1, 4}};
    const QRect first = control(IDC_BUTTON_REV)->geometry();
    for (const auto& b : deck) {
        SCOPED_TRACE(b.label);
        auto* button = control<QPushButton>(b.id);
        ASSERT_TRUE(button);
        EXPECT_EQ(button->text().toStdString(), b.label);
        EXPECT_EQ(button->size(), first.size());
        EXPECT_EQ(button->x(), b.column ? control(IDC_BUTTON_PLAY)->x() : first.x());
        if (b.row) {
            EXPECT_GT(button->y(), control(deck[(b.row - 1) * 2].id)->geometry().bottom());
        }
        EXPECT_EQ(button->isVisible(), b.id != IDC_BUTTON_PAUSE);
        EXPECT_EQ(button->isEnabled(), b.id != IDC_BUTTON_FASTFWD && b.id != IDC_BUTTON_FASTREV);
    }
    EXPECT_LT(first.width(), first.height());
    auto* interval = control<QScrollBar>(IDC_REPLAY_INTERVAL);
    ASSERT_TRUE(interval);
    EXPECT_EQ(interval->orientation(), Qt::Vertical);
    EXPECT_EQ(interval->x(), first.x());
    auto* counter = control<QLineEdit>(IDC_REPLAY_COUNTER);
    EXPECT_TRUE(counter->isVisible());
    EXPECT_GT(counter->y(), interval->geometry().bottom());
    EXPECT_EQ(hReplayCounterWnd, win::windowOf(counter));
    EXPECT_EQ(counterText(), "0");
    EXPECT_LT(dialog()->width(), 100);
    EXPECT_GT(dialog()->geometry().bottom(), counter->geometry().bottom());

    // Stopped and not paused when it opens.
    EXPECT_TRUE(checked(IDC_BUTTON_STOP));
    EXPECT_FALSE(checked(IDC_BUTTON_PAUSE));
    EXPECT_FALSE(checked(IDC_BUTTON_PLAY));

    // Showing it again makes no second window.
    HWND first_window = hwndReplay;
    ShowReplayWindow(chartWindow);
    EXPECT_EQ(hwndReplay, first_window);
    keepGrab(mainWidget, "replay-on-main");
    keepGrab(dialog(), "replay");
}

// Each button from the mode before it: the flags it leaves and the mode the buttons show.
TEST_F(ReplayWindow, EveryModeButtonLeavesOneModeAndTheButtonsShowIt)
{
    ShowReplayWindow(chartWindow);
    win::scripted::clear();
    bStop = 0; // a mode change never reaches bStep while the replay is not paused
    const struct {
        int id;
        int stop, fast, rewind, reverse;
        int checkedButton;
    } steps[] = {
        {IDC_BUTTON_STOP, 1, 0, 0, 0, IDC_BUTTON_STOP},
        {IDC_BUTTON_PLAY, 0, 0, 0, 0, IDC_BUTTON_PLAY},
        {IDC_BUTTON_REV, 0, 0, 0, 1, IDC_BUTTON_REV},
        {IDC_BUTTON_FASTFWD, 0, 1, 0, 0, IDC_BUTTON_FASTFWD},
        {IDC_BUTTON_FASTREV, 0, 0, 1, 0, IDC_BUTTON_FASTREV},
        {IDC_BUTTON_REV, 0, 0, 0, 1, IDC_BUTTON_REV},
        {IDC_BUTTON_FASTFWD, 0, 1, 0, 0, IDC_BUTTON_FASTFWD},
        {IDC_BUTTON_STOP, 1, 0, 0, 0, IDC_BUTTON_STOP},
        {IDC_BUTTON_FASTREV, 0, 0, 1, 0, IDC_BUTTON_FASTREV},
        {IDC_BUTTON_PLAY, 0, 0, 0, 0, IDC_BUTTON_PLAY},
    };
    const int modeButtons[] = {IDC_BUTTON_REV, IDC_BUTTON_PLAY, IDC_BUTTON_FASTREV,
                               IDC_BUTTON_FASTFWD, IDC_BUTTON_STOP};
    for (const auto& s : steps) {
        SCOPED_TRACE(control<QPushButton>(s.id)->text().toStdString());
        auto* button = control<QPushButton>(s.id);
        if (button->isEnabled()) {
            click(s.id);
        } else {
            // The fast buttons stay disabled: a click does nothing, the command still works.
            const int before[] = {bStop, bFast, bRewind, bReverse};
            click(s.id);
            EXPECT_EQ(bStop, before[0]);
            EXPECT_EQ(bFast, before[1]);
            EXPECT_EQ(bRewind, before[2]);
            EXPECT_EQ(bReverse, before[3]);
            SendMessageA(hwndReplay, WM_COMMAND, WPARAM(s.id), 0);
        }
        EXPECT_EQ(bStop, s.stop);
        EXPECT_EQ(bFast, s.fast);
        EXPECT_EQ(bRewind, s.rewind);
        EXPECT_EQ(bReverse, s.reverse);
        for (int id : modeButtons)
            EXPECT_EQ(checked(id), id == s.checkedButton) << id;
        EXPECT_EQ(bStep, 0);
        EXPECT_EQ(bPause, 0);
    }
    // A notification other than the click does nothing.
    SendMessageA(hwndReplay, WM_COMMAND, MAKELPARAM(IDC_BUTTON_STOP, 1), 0);
    EXPECT_EQ(bStop, 0);
}

TEST_F(ReplayWindow, EnterPausesAndAPlayButtonWhilePausedAsksForOneStep)
{
    ShowReplayWindow(chartWindow);
    QTest::keyClick(dialog(), Qt::Key_Return);
    EXPECT_EQ(bPause, 1);
    EXPECT_TRUE(checked(IDC_BUTTON_PAUSE));

    for (int id : {IDC_BUTTON_PLAY, IDC_BUTTON_REV}) {
        bStep = 0;
        click(id);
        EXPECT_EQ(bStep, 1) << id;
        EXPECT_EQ(bPause, 1) << id;
        EXPECT_EQ(bStop, 0) << id;
        EXPECT_EQ(bReverse, id == IDC_BUTTON_REV) << id;
    }
    // Stop and the jumps ask for no step.
    bStep = 0;
    click(IDC_BUTTON_STOP);
    click(IDC_BUTTON_HOME);
    EXPECT_EQ(bStep, 0);

    QTest::keyClick(dialog(), Qt::Key_Enter);
    EXPECT_EQ(bPause, 0);
    EXPECT_FALSE(checked(IDC_BUTTON_PAUSE));
    click(IDC_BUTTON_PLAY);
    EXPECT_EQ(bStep, 0);
}

TEST_F(ReplayWindow, TheIntervalArrowsStepBy200Between0And10000)
{
    ShowReplayWindow(chartWindow);
    auto* bar = control<QScrollBar>(IDC_REPLAY_INTERVAL);
    const QPoint up(bar->width() / 2, 2), down(bar->width() / 2, bar->height() - 3);
    // The up arrow shortens the wait.
    QTest::mouseClick(bar, Qt::LeftButton, {}, up);
    EXPECT_EQ(ctReplayInterval, 0);
    QTest::mouseClick(bar, Qt::LeftButton, {}, up);
    EXPECT_EQ(ctReplayInterval, 0);
    EXPECT_EQ(bar->value(), 0);
    for (int i = 1; i <= 50; ++i) {
        QTest::mouseClick(bar, Qt::LeftButton, {}, down);
        ASSERT_EQ(ctReplayInterval, std::min(i * 200, 10000)) << i;
    }
    QTest::mouseClick(bar, Qt::LeftButton, {}, down);
    EXPECT_EQ(ctReplayInterval, 10000);
    EXPECT_EQ(bar->value(), 10000);
    QTest::mouseClick(bar, Qt::LeftButton, {}, up);
    EXPECT_EQ(ctReplayInterval, 9800);
    EXPECT_EQ(bar->value(), 9800);
    // Any other scroll action leaves the interval alone.
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(ctReplayInterval, 9800);
}

// "X" and Escape leave it closed at the next start; the program's own close leaves it open.
TEST_F(ReplayWindow, StatusFollowsHowItWasClosed)
{
    const struct {
        const char* how;
        std::function<void()> close;
        const char* status;
    } closes[] = {
        {"X", [this] { click(IDOK); }, "Off"},
        {"Escape", [this] { QTest::keyClick(dialog(), Qt::Key_Escape); }, "Off"},
        {"WM_CLOSE", [] { SendMessageA(hwndReplay, WM_CLOSE, 0, 0); }, "On"},
    };
    for (const auto& c : closes) {
        SCOPED_TRACE(c.how);
        ShowReplayWindow(chartWindow);
        ASSERT_TRUE(hwndReplay);
        EXPECT_EQ(status(), "On");
        HWND window = hwndReplay;
        c.close();
        EXPECT_FALSE(hwndReplay);
        EXPECT_FALSE(IsWindow(window));
        EXPECT_FALSE(hReplayCounterWnd);
        EXPECT_EQ(status(), c.status);
        int32_t state = -1;
        LoadStatus(&state, "ReplayWnd");
        EXPECT_EQ(state, std::string(c.status) == "On");
        // Closed, the buttons and the counter have nothing to show.
        UpdateReplayButtons();
        UpdateReplayCounter();
    }
    // The flags keep their values while the window is closed.
    ShowReplayWindow(chartWindow);
    click(IDC_BUTTON_PLAY);
    click(IDOK);
    EXPECT_EQ(bStop, 0);
    ShowReplayWindow(chartWindow);
    EXPECT_TRUE(checked(IDC_BUTTON_PLAY));
    EXPECT_FALSE(checked(IDC_BUTTON_STOP));
}

TEST_F(ReplayWindow, DraggedByItsCaptionItReopensWhereItWasLeft)
{
    ShowReplayWindow(chartWindow);
    QWidget* widget = dialog();
    const RECT before = windowRect(hwndReplay);
    RECT stored{};
    // Pressed anywhere but on the caption, or dragged, it stays or is stored once let go.
    auto dragBy = [widget](QPoint grip, QPoint by, const std::function<void()>& whileHeld) {
        QTest::mousePress(widget, Qt::LeftButton, {}, grip);
        QMouseEvent drag(QEvent::MouseMove, QPointF(grip + by), widget->mapToGlobal(QPointF(grip + by)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &drag);
        whileHeld();
        QTest::mouseRelease(widget, Qt::LeftButton, {}, grip);
    };
    dragBy(QPoint(widget->width() - 3, widget->height() - 3), QPoint(-300, -200), [] {});
    EXPECT_EQ(windowRect(hwndReplay).left, before.left);
    EXPECT_EQ(windowRect(hwndReplay).top, before.top);

    const QPoint by(-300, -200);
    dragBy(QPoint(10, 6), by, [&] {
        ASSERT_EQ(LoadPosition(&stored, "ReplayWnd"), 1);
        EXPECT_EQ(stored.left, before.left);
    });
    const LONG left = before.left + by.x(), top = before.top + by.y();
    EXPECT_EQ(windowRect(hwndReplay).left, left);
    EXPECT_EQ(windowRect(hwndReplay).top, top);
    ASSERT_EQ(LoadPosition(&stored, "ReplayWnd"), 1);
    EXPECT_EQ(stored.left, left);
    EXPECT_EQ(stored.top, top);
    EXPECT_EQ(stored.right - stored.left, widget->width());

    // Closed by the program and opened again, it comes back there.
    SendMessageA(hwndReplay, WM_CLOSE, 0, 0);
    ShowReplayWindow(chartWindow);
    EXPECT_EQ(windowRect(hwndReplay).left, left);
    EXPECT_EQ(windowRect(hwndReplay).top, top);
}

// Each of the three functions missing gives its message once per creation of the window, and
// the window stays usable without it.
TEST_F(ReplayWindow, AModuleWithoutTheReplayFunctionsGetsOneMessageForEach)
{
    const struct {
        const char* module; // none loaded when null
        const char* suffix;
    } cases[] = {{"NoKnotsModule", ""}, {nullptr, ": invalid DLL handle"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.module ? c.module : "no module");
        if (c.module) {
            ASSERT_TRUE(LoadSwathModule(nullptr, c.module));
        }
        for (int opening = 0; opening < 2; ++opening) {
            win::scripted::clear();
            ShowReplayWindow(chartWindow);
            ShowReplayWindow(chartWindow);
            const auto boxes = win::scripted::boxes();
            ASSERT_EQ(boxes.size(), 3u);
            const char* names[] = {"GoToHome()", "GoToEnd()", "GetCounter()"};
            for (int i = 0; i < 3; ++i) {
                EXPECT_EQ(boxes[size_t(i)].text,
                          std::string("Function ") + names[i] + " not found in sonkel32d DLL" + c.suffix);
                EXPECT_EQ(boxes[size_t(i)].caption, "Error");
                EXPECT_EQ(boxes[size_t(i)].type & MB_ICONMASK, MB_ICONHAND);
            }
            EXPECT_EQ(win::scripted::beeps(), (std::vector<UINT>{MB_ICONHAND, MB_ICONHAND, MB_ICONHAND}));
            EXPECT_FALSE(control(IDC_BUTTON_HOME)->isEnabled());
            EXPECT_FALSE(control(IDC_BUTTON_END)->isEnabled());
            EXPECT_TRUE(control(IDC_BUTTON_PLAY)->isEnabled());
            auto* counter = control<QLineEdit>(IDC_REPLAY_COUNTER);
            EXPECT_FALSE(counter->isVisible());
            EXPECT_EQ(hReplayCounterWnd, win::windowOf(counter));
            UpdateReplayCounter();
            EXPECT_EQ(counterText(), "");
            click(IDC_BUTTON_PLAY);
            EXPECT_EQ(bStop, 0);
            click(IDC_BUTTON_STOP);
            click(IDOK);
        }
        if (c.module)
            UnloadSwathModule();
    }
}

} // namespace
