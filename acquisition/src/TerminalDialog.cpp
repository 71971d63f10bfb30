#include "acquisition/TerminalDialog.h"

#include "acquisition/SounderLink.h"
#include "frame/Inifile.h"
#include "platform/gui.h"
#include "platform/messages.h"
#include "platform/serial.h"

#include <QDialog>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <QVBoxLayout>

#include <string>

namespace {

class TerminalDialog : public QDialog {
public:
    TerminalDialog(HANDLE port, const QString& portName, QWidget* parent) : QDialog(parent), port_(port)
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

private:
    void poll()
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

    HANDLE port_;
    QPlainTextEdit* output_;
};

} // namespace

void RunSounderTerminal(QWidget* parent)
{
    std::string name = "COM" + std::to_string(SounderPortNumber());
    HANDLE port = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        MessageBoxA(nullptr, ("Cannot open " + name + " for the terminal").c_str(), "Run Terminal",
                    MB_ICONHAND);
        return;
    }
    int32_t baud = 9600;
    GetVarnelProfileInt("Sedrix", "Baud", &baud);
    if (ConfigureSerialPort(port, name.c_str(), DWORD(baud), true) == 0) {
        TerminalDialog dialog(port, QString::fromStdString(name), parent);
        win::execModal(dialog, "Terminal");
    }
    CloseHandle(port);
}
