#include "acquisition/TerminalDialog.h"

#include "acquisition/SounderLink.h"
#include "frame/Inifile.h"
#include "platform/gui.h"
#include "platform/messages.h"
#include "platform/serial.h"

#include <QFontDatabase>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <QVBoxLayout>

#include <string>

TerminalDialog::TerminalDialog(HANDLE port, const QString& portName, QWidget* parent)
    : QDialog(parent), port_(port)
{
    setWindowTitle("Terminal - " + portName);
    auto* layout = new QVBoxLayout(this);
    output_ = new QPlainTextEdit;
    output_->setObjectName("output");
    output_->setReadOnly(true);
    output_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* input = new QLineEdit;
    input->setObjectName("input");
    layout->addWidget(output_);
    layout->addWidget(input);
    connect(input, &QLineEdit::returnPressed, this, [this, input] {
        std::string text = input->text().toStdString() + "\r";
        DWORD written = 0;
        WriteFile(port_, text.data(), DWORD(text.size()), &written, nullptr);
        input->clear();
    });
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [this] { poll(); });
    timer->start(100);
}

TerminalDialog::~TerminalDialog() { CloseHandle(port_); }

void TerminalDialog::poll()
{
    char buffer[512];
    DWORD read = 0;
    if (!ReadFile(port_, buffer, sizeof buffer, &read, nullptr)) {
        output_->appendPlainText("[port lost]");
        return;
    }
    if (read > 0) {
        output_->moveCursor(QTextCursor::End);
        output_->insertPlainText(QString::fromLatin1(buffer, int(read)).remove('\r'));
    }
}

std::unique_ptr<TerminalDialog> OpenSounderTerminal(QWidget* parent)
{
    std::string name = "COM" + std::to_string(SounderPortNumber());
    HANDLE port = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        MessageBoxA(nullptr, ("Cannot open " + name + " for the terminal").c_str(), "Run Terminal", MB_ICONHAND);
        return nullptr;
    }
    int32_t baud = 9600;
    GetVarnelProfileInt("Sedrix", "Baud", &baud);
    // Reads return what has come: the dialog looks every 100 ms on the GUI thread.
    SounderSetNonBlocking(port);
    if (ConfigureSerialPort(port, name.c_str(), DWORD(baud), true) != 0) {
        MessageBoxA(nullptr, ("Cannot set up " + name + " for the terminal").c_str(), "Run Terminal", MB_ICONHAND);
        CloseHandle(port);
        return nullptr;
    }
    return std::make_unique<TerminalDialog>(port, QString::fromStdString(name), parent);
}

void RunSounderTerminal(QWidget* parent)
{
    if (auto terminal = OpenSounderTerminal(parent))
        win::execModal(*terminal, "Terminal");
}
