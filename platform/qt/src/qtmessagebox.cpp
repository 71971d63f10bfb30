// Message boxes as QMessageBox, always shown on the GUI thread.
#include "platform/gui.h"
#include "qtext.h"

#include <QApplication>
#include <QMessageBox>

#include <array>
#include <utility>

namespace win {
namespace {

using Button = QMessageBox::StandardButton;

constexpr std::array<std::pair<Button, int>, 7> buttonIds{{
    {QMessageBox::Ok, IDOK},
    {QMessageBox::Cancel, IDCANCEL},
    {QMessageBox::Abort, IDABORT},
    {QMessageBox::Retry, IDRETRY},
    {QMessageBox::Ignore, IDIGNORE},
    {QMessageBox::Yes, IDYES},
    {QMessageBox::No, IDNO},
}};

// The buttons of a box type, in the order Win32 shows them.
std::vector<Button> buttonsOf(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {QMessageBox::Ok, QMessageBox::Cancel};
    case MB_ABORTRETRYIGNORE: return {QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore};
    case MB_YESNOCANCEL: return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
    case MB_YESNO: return {QMessageBox::Yes, QMessageBox::No};
    case MB_RETRYCANCEL: return {QMessageBox::Retry, QMessageBox::Cancel};
    default: return {QMessageBox::Ok};
    }
}

QMessageBox::Icon iconOf(UINT type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONHAND: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONASTERISK: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

int idOf(int button, UINT type)
{
    for (const auto& [standard, id] : buttonIds)
        if (standard == button)
            return id;
    // Closed without a button: what Escape would give.
    return (type & MB_TYPEMASK) == MB_OK ? IDOK : IDCANCEL;
}

class QtMessageBoxBackend : public MessageBoxBackend {
public:
    int show(HWND owner, const std::string& text, const std::string& caption, UINT type) override
    {
        return int(callOnGuiThread([&]() -> LRESULT {
            QMessageBox box(iconOf(type), toQString(caption), toQString(text),
                            QMessageBox::NoButton, widgetOf(owner));
            std::vector<Button> buttons = buttonsOf(type);
            for (Button b : buttons)
                box.addButton(b);
            size_t defaultIndex = (type >> 8) & 0xF;
            box.setDefaultButton(buttons[defaultIndex < buttons.size() ? defaultIndex : 0]);
            if (type & (MB_TOPMOST | MB_SYSTEMMODAL))
                box.setWindowFlag(Qt::WindowStaysOnTopHint);
            return idOf(box.exec(), type);
        }));
    }

    void beep(UINT) override
    {
        QCoreApplication* app = QCoreApplication::instance();
        if (!app)
            return;
        if (isGuiThread())
            QApplication::beep();
        else
            QMetaObject::invokeMethod(app, [] { QApplication::beep(); }, Qt::QueuedConnection);
    }
};

} // namespace

std::shared_ptr<MessageBoxBackend> qtMessageBoxBackend()
{
    return std::make_shared<QtMessageBoxBackend>();
}

} // namespace win
