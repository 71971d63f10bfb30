#include "acquisition/SetupDialogs.h"

#include "acquisition/Module.h"
#include "acquisition/SounderLink.h"
#include "acquisition/TerminalDialog.h"
#include "platform/dialogcontrols.h"
#include "platform/gui.h"
#include "platform/messages.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// Numeric fields read as the number at their start, text as 0.
int numberIn(const QLineEdit* edit)
{
    return std::atoi(edit->text().toLatin1().constData());
}

// The PRI field never goes below 200 ms once it loses the focus.
class PriEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    std::function<void()> onLeave;

protected:
    void focusOutEvent(QFocusEvent* event) override
    {
        if (numberIn(this) < 200)
            setText("200");
        if (onLeave)
            onLeave();
        QLineEdit::focusOutEvent(event);
    }
};

constexpr int32_t JamEntry::*JAM_FIELDS[6] = {&JamEntry::blanking, &JamEntry::clock1,
                                              &JamEntry::clock2,   &JamEntry::e2Clock2,
                                              &JamEntry::referenceClock, &JamEntry::e2Clock1};

} // namespace

SetupDialog::SetupDialog(SetupBlock& block, QWidget* parent) : QDialog(parent), block_(block)
{
    setWindowTitle("Swath Setup");
    auto* layout = new QVBoxLayout(this);

    auto* remote = new QGroupBox("Remote Unit");
    auto* remoteLayout = new QVBoxLayout(remote);
    auto* advanced = win::withId(new QPushButton("Advanced"), IDC_ADVANCED);
    remoteLayout->addWidget(advanced);
    layout->addWidget(remote);

    auto* beams = new QGroupBox("Beam Select");
    auto* beamLayout = new QGridLayout(beams);
    for (int id = IDC_BEAM_MINUS3; id <= IDC_BEAM_PLUS3; ++id) {
        auto* radio = win::withId(new QRadioButton(QString::number(id - IDC_BEAM_MINUS3 - 3)), id);
        beamLayout->addWidget(radio, 0, id - IDC_BEAM_MINUS3);
        connect(radio, &QRadioButton::clicked, this, [this] { changed_ = true; });
    }
    auto* scan = win::withId(new QRadioButton("Scan"), IDC_SCAN);
    connect(scan, &QRadioButton::clicked, this, [this] { changed_ = true; });
    beamLayout->addWidget(scan, 1, 0, 1, 2);
    auto* ping = win::withId(new QPushButton("Ping"), IDC_PING);
    beamLayout->addWidget(ping, 1, 5, 1, 2);
    layout->addWidget(beams);

    auto* surface = new QGroupBox("Surface Control");
    auto* surfaceLayout = new QFormLayout(surface);
    auto* autoPing = win::withId(new QCheckBox("Auto"), IDC_AUTO);
    connect(autoPing, &QCheckBox::clicked, this, [this] { changed_ = true; });
    surfaceLayout->addRow(autoPing);
    auto* pri = win::withId(new PriEdit, IDC_PRI);
    pri->onLeave = [this] { changed_ = true; };
    surfaceLayout->addRow("PRI (ms)", pri);
    auto* raw = win::withId(new QCheckBox("ShowRawData"), IDC_SHOW_RAW_DATA);
    // A change of the display alone must not be lost on OK.
    connect(raw, &QCheckBox::clicked, this, [this] { changed_ = true; });
    surfaceLayout->addRow(raw);
    layout->addWidget(surface);

    // Present but hidden, as the recording is switched from the main program.
    auto* saving = new QGroupBox("Saving");
    auto* savingLayout = new QFormLayout(saving);
    savingLayout->addRow(win::withId(new QCheckBox("Saving on"), IDC_SAVING_ON));
    savingLayout->addRow("SAVE INTERVAL (ms)", win::withId(new QLineEdit, IDC_SAVE_INTERVAL));
    saving->hide();
    layout->addWidget(saving);
    layout->addWidget(win::okCancelButtons(this));

    connect(ping, &QPushButton::clicked, this, [] {
        PingCurrentTransducer(QApplication::keyboardModifiers() & Qt::ShiftModifier);
    });
    connect(advanced, &QPushButton::clicked, this, [this] {
        AdvancedSetupDialog dialog(block_, this);
        if (win::execModal(dialog, "Advanced Setup for Tarnley Technicians") == IDOK)
            ApplyAdvancedSettings(block_.unit);
    });
    fill();
}

void SetupDialog::fill()
{
    const SurfaceSettings& s = block_.surface;
    win::controlOf<QCheckBox>(this, IDC_AUTO)->setChecked(s.AutoPing);
    win::controlOf<QPushButton>(this, IDC_PING)->setEnabled(!s.AutoPing);
    win::controlOf<QCheckBox>(this, IDC_SHOW_RAW_DATA)->setChecked(s.ShowRawData);
    win::controlOf<QCheckBox>(this, IDC_SAVING_ON)->setChecked(block_.trackStatus->field[TS_SAVING]);
    int transducer = block_.reading.transducer;
    if (s.Scanning)
        win::controlOf<QRadioButton>(this, IDC_SCAN)->setChecked(true);
    else if (transducer >= -3 && transducer <= 3)
        win::controlOf<QRadioButton>(this, IDC_BEAM_MINUS3 + transducer + 3)->setChecked(true);
    win::controlOf<QLineEdit>(this, IDC_PRI)->setText(QString::number(int(s.pingInterval * 1000 + 0.5)));
    win::controlOf<QLineEdit>(this, IDC_SAVE_INTERVAL)
        ->setText(QString::number(block_.trackStatus->field[TS_SAVE_RATE] * 1000));
    changed_ = false;
}

void SetupDialog::accept()
{
    if (changed_) {
        SurfaceSettings& s = block_.surface;
        s.AutoPing = win::controlOf<QCheckBox>(this, IDC_AUTO)->isChecked();
        s.ShowRawData = win::controlOf<QCheckBox>(this, IDC_SHOW_RAW_DATA)->isChecked();
        s.Scanning = win::controlOf<QRadioButton>(this, IDC_SCAN)->isChecked();
        for (int id = IDC_BEAM_MINUS3; id <= IDC_BEAM_PLUS3; ++id)
            if (win::controlOf<QRadioButton>(this, id)->isChecked())
                block_.reading.transducer = id - IDC_BEAM_MINUS3 - 3;
        s.pingInterval = std::max(numberIn(win::controlOf<QLineEdit>(this, IDC_PRI)), 200) / 1000.0;
        // The timer thread reads the save rate meanwhile.
        std::atomic_ref(block_.trackStatus->field[TS_SAVE_RATE])
            .store(numberIn(win::controlOf<QLineEdit>(this, IDC_SAVE_INTERVAL)) / 1000);
    }
    done(IDOK);
}

AdvancedSetupDialog::AdvancedSetupDialog(SetupBlock& block, QWidget* parent)
    : QDialog(parent), block_(block)
{
    setWindowTitle("Advanced Setup for Tarnley Technicians");
    auto* layout = new QFormLayout(this);
    auto* timings = win::withId(new QPushButton("Set Timings"), IDC_SET_TIMINGS);
    auto* pld = win::withId(new QCheckBox("Programmable Digital Board"), IDC_PLD_BOARD);
    auto* freeRun = win::withId(new QCheckBox("Free Run"), IDC_FREE_RUN);
    auto* testSignal = win::withId(new QCheckBox("Use Test Signal Generator"), IDC_TEST_SIGNAL);
    auto* pri = win::withId(new QLineEdit, IDC_FREE_RUN_PRI);
    auto* pulse = win::withId(new QLineEdit, IDC_TX_PULSE);
    auto* terminal = win::withId(new QPushButton("Run Terminal"), IDC_RUN_TERMINAL);
    layout->addRow(timings);
    layout->addRow(pld);
    layout->addRow(freeRun);
    layout->addRow(testSignal);
    layout->addRow("Free run PRI (ms)", pri);
    layout->addRow("TX Pulse (us)", pulse);
    layout->addRow(terminal);
    layout->addRow(win::okCancelButtons(this));

    connect(testSignal, &QCheckBox::clicked, this, [this, freeRun](bool on) {
        if (on)
            freeRun->setChecked(true);
        changed_ = true;
    });
    connect(freeRun, &QCheckBox::clicked, this, [this, testSignal](bool on) {
        if (!on)
            testSignal->setChecked(false);
        changed_ = true;
    });
    connect(pld, &QCheckBox::clicked, this, [this] { changed_ = true; });
    connect(pri, &QLineEdit::textEdited, this, [this] { changed_ = true; });
    connect(pulse, &QLineEdit::textEdited, this, [this] { changed_ = true; });
    connect(timings, &QPushButton::clicked, this, [this] { setTimings(); });
    connect(terminal, &QPushButton::clicked, this, [this] { runTerminal(); });
    // Replayed data has no unit to talk to.
    terminal->setEnabled(MODULE_HAS_UNIT);
    fill();
}

void AdvancedSetupDialog::fill()
{
    block_.unit.ExtControl = 1;
    win::controlOf<QCheckBox>(this, IDC_FREE_RUN)->setEnabled(false);
    win::controlOf<QLineEdit>(this, IDC_FREE_RUN_PRI)->setEnabled(false);
    win::controlOf<QLineEdit>(this, IDC_FREE_RUN_PRI)->setText(QString::number(block_.unit.Pri_ms));
    win::controlOf<QCheckBox>(this, IDC_PLD_BOARD)->setChecked(block_.unit.PldDigitalBoard);
    auto* testSignal = win::controlOf<QCheckBox>(this, IDC_TEST_SIGNAL);
    bool hpAvailable = block_.unit.flags & HP_CONTROL_AVAILABLE;
    testSignal->setEnabled(hpAvailable);
    testSignal->setChecked(hpAvailable && block_.unit.HpControl);
    win::controlOf<QLineEdit>(this, IDC_TX_PULSE)->setText(QString::number(block_.unit.TxPulseWidth_us));
    changed_ = false;
}

void AdvancedSetupDialog::setTimings()
{
    int transducer;
    {
        std::lock_guard lock(swathModule.mutex);
        transducer = swathModule.reading.transducer;
    }
    // Scanning steps the transducer from ping to ping: no single beam to set.
    if (transducer < -3 || transducer > 3 || block_.surface.Scanning) {
        MessageBoxA(nullptr, "Beam not set or set to scanning. Please select a single beam", "ERROR",
                    MB_ICONHAND);
        return;
    }
    int slot = BeamSlot(block_.reading.transducer);
    JamEntry entry = jamTable[slot];
    JamDialog dialog(entry, block_.reading.transducer, this);
    if (win::execModal(dialog, "Timer Jam Values") == IDOK) {
        {
            // The timer thread's automatic pings read the table.
            std::lock_guard lock(swathModule.mutex);
            jamTable[slot] = entry;
        }
        SaveAllJams(jamTable, JAM_ENTRIES);
        SendJamValues(jamTable, block_.reading.transducer);
    }
}

void AdvancedSetupDialog::runTerminal()
{
    // The links are closed while the terminal has the port, and opened again after.
    CloseLinks(nullptr);
    RunSounderTerminal(this);
    OpenLinks(nullptr);
    fill();
}

void AdvancedSetupDialog::accept()
{
    if (changed_) {
        UnitSettings& u = block_.unit;
        u.HpControl = win::controlOf<QCheckBox>(this, IDC_TEST_SIGNAL)->isChecked();
        u.ExtControl = !u.HpControl;
        u.PldDigitalBoard = win::controlOf<QCheckBox>(this, IDC_PLD_BOARD)->isChecked();
        u.Pri_ms = numberIn(win::controlOf<QLineEdit>(this, IDC_FREE_RUN_PRI));
        u.TxPulseWidth_us = numberIn(win::controlOf<QLineEdit>(this, IDC_TX_PULSE));
    }
    done(IDOK);
}

JamDialog::JamDialog(JamEntry& entry, int transducer, QWidget* parent) : QDialog(parent), entry_(entry)
{
    setWindowTitle(QString::asprintf("Timer Jam Values (Transducer %d [-3..+3])", transducer));
    auto* layout = new QFormLayout(this);
    static const char* const labels[] = {"TVG Clock Jam",       "Blanking Jam",   "\u00f81 Clock Jam",
                                         "\u00f82 Clock Jam",   "E2 \u00f82 Clock Jam",
                                         "Reference Clock Jam", "E2 \u00f81 Clock Jam"};
    for (int i = 0; i < 7; ++i) {
        auto* edit = win::withId(new QLineEdit, IDC_TVG_JAM + i);
        if (i == 0)
            edit->setEnabled(false);
        else
            edit->setText(QString::number(entry.*JAM_FIELDS[i - 1]));
        connect(edit, &QLineEdit::textEdited, this, [this] { changed_ = true; });
        layout->addRow(QString::fromUtf8(labels[i]), edit);
    }
    auto* unused = win::withId(new QLineEdit(QString::number(transducer)), IDC_JAM_TRANSDUCER);
    unused->setEnabled(false);
    layout->addRow("Transducer", unused);
    layout->addRow(win::okCancelButtons(this));
}

void JamDialog::accept()
{
    if (changed_) {
        for (int i = 1; i < 7; ++i)
            entry_.*JAM_FIELDS[i - 1] = numberIn(win::controlOf<QLineEdit>(this, IDC_TVG_JAM + i));
    }
    done(IDOK);
}

int RunSetupDialog(SetupBlock& block)
{
    SetupDialog dialog(block);
    return int(win::execModal(dialog, "Swath Setup"));
}
