// The module's set-up, advanced and jam dialogs as real Qt widgets, with the swath unit's port a
// pseudo-terminal: what the operator changes, and what reaches the unit.
#include "ModuleWindow.h"
#include "PseudoTerminal.h"
#include "TempDataRoot.h"
#include "acquisition/JamTable.h"
#include "acquisition/Module.h"
#include "acquisition/SetupDialogs.h"
#include "acquisition/SounderLink.h"
#include "acquisition/TerminalDialog.h"
#include "database/CurrentTrack.h"
#include "platform/messages.h"
#include "platform/profile.h"
#include "recording/VesselState.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;

struct SetupDialogs : ::testing::Test {
    TempDataRoot root;
    PseudoTerminal unit;
    SetupBlock block{};

    void SetUp() override
    {
        win::scripted::listen();
        unit.linkAs(root.root(), 3);
        OpenLinks(nullptr); // COM1 is missing: only the unit's port opens
        ASSERT_TRUE(SounderPortOpen());
        LoadAllJams(jamTable, JAM_ENTRIES);
        swathModule.unit = UnitSettings{};
        swathModule.surface = SurfaceSettings{};
        swathModule.reading = SwathReading{};
        block = ModuleSetupBlock();
        win::scripted::clear();
    }
    void TearDown() override
    {
        CloseLinks(nullptr);
        win::scripted::stopListening();
    }
    // What the unit received (the commands end with a 100 ms pause before a pulse width).
    std::string received() const { return unit.read(400ms); }
    template <typename Control>
    static Control* control(QWidget& dialog, int id)
    {
        return dialog.findChild<Control*>(QString::number(id));
    }
    bool said(const std::string& text, const std::string& caption) const
    {
        for (const auto& box : win::scripted::boxes())
            if (box.text == text && box.caption == caption)
                return true;
        return false;
    }
};

TEST_F(SetupDialogs, OkSendsTheUnitItsSettingsAndTakesThemOver)
{
    // Beam +2 chosen: the burst still selects the transducer in force before the dialog.
    constexpr int BEAM_PLUS2 = IDC_BEAM_MINUS3 + 5;
    win::scripted::queueDialog("Swath Setup", {IDOK, {{BEAM_PLUS2, "1"}}});
    ModuleWndProc(nullptr, WM_COMMAND, IDM_SWATH_SETUP, 0);
    EXPECT_EQ(received(), "c1v0d1h0a3\roi500\rw100\r");
    EXPECT_EQ(int(swathModule.reading.transducer), 2);
    EXPECT_EQ(swathModule.surface.Scanning, 0);
    EXPECT_EQ(GetPrivateProfileIntA("Swath", "Pri_ms", 0, SWATH_INI), 500u);

    // Cancel sends nothing and keeps the settings.
    win::scripted::queueDialog("Swath Setup", {IDCANCEL, {{IDC_SCAN, "1"}}});
    ModuleWndProc(nullptr, WM_COMMAND, IDM_SWATH_SETUP, 0);
    EXPECT_EQ(received(), "");
    EXPECT_EQ(swathModule.surface.Scanning, 0);
}

TEST_F(SetupDialogs, PriBelowTheMinimumIsRaisedWhenTheFieldIsLeft)
{
    SetupDialog dialog(block);
    auto* pri = control<QLineEdit>(dialog, IDC_PRI);
    pri->setText("150");
    QFocusEvent leave(QEvent::FocusOut);
    QCoreApplication::sendEvent(pri, &leave);
    EXPECT_EQ(pri->text(), "200");
}

TEST_F(SetupDialogs, TheTestSignalGeneratorTakesTheUnitOutOfExternalControl)
{
    block.unit.flags = HP_CONTROL_AVAILABLE;
    AdvancedSetupDialog dialog(block);
    auto* testSignal = control<QCheckBox>(dialog, IDC_TEST_SIGNAL);
    auto* freeRun = control<QCheckBox>(dialog, IDC_FREE_RUN);
    testSignal->click();
    EXPECT_TRUE(freeRun->isChecked());
    dialog.accept();
    EXPECT_EQ(block.unit.HpControl, 1);
    EXPECT_EQ(block.unit.ExtControl, 0);

    // Unchecking Free Run takes the generator away again.
    AdvancedSetupDialog again(block);
    control<QCheckBox>(again, IDC_FREE_RUN)->setEnabled(true);
    control<QCheckBox>(again, IDC_FREE_RUN)->click();
    control<QCheckBox>(again, IDC_FREE_RUN)->click();
    EXPECT_FALSE(control<QCheckBox>(again, IDC_TEST_SIGNAL)->isChecked());
}

TEST_F(SetupDialogs, SetTimingsNeedsOneBeamAndSendsAndSavesItsJamValues)
{
    swathModule.surface.Scanning = 1;
    block.surface.Scanning = 1;
    {
        AdvancedSetupDialog dialog(block);
        control<QPushButton>(dialog, IDC_SET_TIMINGS)->click();
    }
    EXPECT_TRUE(said("Beam not set or set to scanning. Please select a single beam", "ERROR"));
    EXPECT_TRUE(win::scripted::dialogsOpened().empty());

    // Beam -1 (slot 7): the blanking jam changed in the jam dialog.
    swathModule.surface.Scanning = block.surface.Scanning = 0;
    swathModule.reading.transducer = block.reading.transducer = -1;
    win::scripted::queueDialog("Timer Jam Values", {IDOK, {{IDC_TVG_JAM + 1, "25"}}});
    {
        AdvancedSetupDialog dialog(block);
        control<QPushButton>(dialog, IDC_SET_TIMINGS)->click();
    }
    EXPECT_EQ(jamTable[7].blanking, 25);
    EXPECT_EQ(received(), "j25\r66\r99\r99\r199\r191\r");
    JamEntry saved[JAM_ENTRIES];
    ASSERT_EQ(LoadAllJams(saved, JAM_ENTRIES), 0);
    EXPECT_EQ(saved[7].blanking, 25);
    EXPECT_EQ(saved[6].blanking, DEFAULT_JAM_ENTRY.blanking);
}

TEST_F(SetupDialogs, RunTerminalHasTheUnitsPortWhileTheLinksAreClosed)
{
    {
        AdvancedSetupDialog dialog(block);
        control<QPushButton>(dialog, IDC_RUN_TERMINAL)->click();
    }
    // The terminal could open the port only because the links had let it go.
    EXPECT_TRUE(win::scripted::dialogsOpened().size() == 1 && win::scripted::dialogsOpened()[0] == "Terminal");
    EXPECT_FALSE(said("Cannot open COM3 for the terminal", "Run Terminal"));
    EXPECT_TRUE(SounderPortOpen());
    SounderWrite("p");
    EXPECT_EQ(received(), "p");
}

TEST_F(SetupDialogs, TheTerminalSendsWhatIsTypedAndShowsTheAnswer)
{
    CloseLinks(nullptr); // as Run Terminal does: the terminal needs the port
    auto terminal = OpenSounderTerminal(nullptr);
    ASSERT_TRUE(terminal);
    auto* input = terminal->findChild<QLineEdit*>("input");
    input->setText("s");
    emit input->returnPressed();
    EXPECT_EQ(received(), "s\r");
    unit.write("OK\r\n");
    std::this_thread::sleep_for(50ms);
    terminal->poll();
    terminal->poll(); // nothing more has come: the look returns at once
    EXPECT_EQ(terminal->findChild<QPlainTextEdit*>("output")->toPlainText(), "OK\n");
}

} // namespace
