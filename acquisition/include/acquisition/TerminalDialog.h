// The technicians' terminal on the sounder port: what is typed is sent to the unit, what the
// unit answers is shown. The caller closes the module's links before and opens them after.
#pragma once

#include "platform/serial.h"

#include <QDialog>

#include <memory>

class QLineEdit;
class QPlainTextEdit;

class TerminalDialog : public QDialog {
public:
    TerminalDialog(HANDLE port, const QString& portName, QWidget* parent);
    ~TerminalDialog() override;
    // Shows what the unit sent since the last look (a timer calls it every 100 ms).
    void poll();

private:
    HANDLE port_;
    QPlainTextEdit* output_;
};

// The terminal on the sounder port, opened and set up; null when the port cannot be had (the
// user has been told).
std::unique_ptr<TerminalDialog> OpenSounderTerminal(QWidget* parent);
void RunSounderTerminal(QWidget* parent);
