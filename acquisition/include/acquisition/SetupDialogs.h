// The unit set-up dialogs: "Swath Setup", the technicians' advanced set-up and the timer jam
// values. Each edits copies and writes them back on OK only when something changed.
#pragma once

#include "acquisition/JamTable.h"
#include "acquisition/ModuleSettings.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

// Control identifiers (objectName of each control).
enum SetupControl {
    IDC_AUTO = 1002,
    IDC_PING = 1003,
    IDC_BEAM_MINUS3 = 1006, // to IDC_BEAM_PLUS3 = 1012
    IDC_BEAM_PLUS3 = 1012,
    IDC_SCAN = 1013,
    IDC_SAVING_ON = 1015,
    IDC_SHOW_RAW_DATA = 1017,
    IDC_SAVE_INTERVAL = 1018,
    IDC_PRI = 1019,
    IDC_ADVANCED = 1020,
};
enum AdvancedControl {
    IDC_PLD_BOARD = 1000,
    IDC_FREE_RUN = 1001,
    IDC_SET_TIMINGS = 1004,
    IDC_TEST_SIGNAL = 1005,
    IDC_TX_PULSE = 1014,
    IDC_FREE_RUN_PRI = 1016,
    IDC_RUN_TERMINAL = 1021,
};
enum JamControl {
    IDC_TVG_JAM = 1005, // first of the seven edits, 1005 to 1011
    IDC_JAM_TRANSDUCER = 1023,
};

class SetupDialog : public QDialog {
public:
    explicit SetupDialog(SetupBlock& block, QWidget* parent = nullptr);
    void accept() override;

private:
    void fill();
    SetupBlock& block_;
    bool changed_ = false;
};

class AdvancedSetupDialog : public QDialog {
public:
    explicit AdvancedSetupDialog(SetupBlock& block, QWidget* parent = nullptr);
    void accept() override;
    void fill();

private:
    void setTimings();
    void runTerminal();
    SetupBlock& block_;
    bool changed_ = false;
};

class JamDialog : public QDialog {
public:
    JamDialog(JamEntry& entry, int transducer, QWidget* parent = nullptr);
    void accept() override;

private:
    JamEntry& entry_;
    bool changed_ = false;
};

// Runs the dialogs modally (headless: the results queued under their titles).
int RunSetupDialog(SetupBlock& block);
