#include "BoxDialogWindow.h"

#include "platform/gui.h"

#include <QApplication>
#include <QPalette>

void useGreyLook(QWidget* widget)
{
    QPalette colours = widget->palette();
    colours.setColor(QPalette::Window, QColor(127, 127, 127));
    colours.setColor(QPalette::WindowText, Qt::black);
    widget->setPalette(colours);
    widget->setAutoFillBackground(true);
}

QWidget* topWidgetOf(HWND owner)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return nullptr;
    QWidget* widget = win::widgetOf(owner);
    return widget ? widget->window() : nullptr;
}

BoxDialogWidget::BoxDialogWidget(QWidget* parent, HWND window) : QDialog(parent), window_(window)
{
    useGreyLook(this);
}

void BoxDialogWidget::accept() { SendMessageA(window_, WM_COMMAND, IDOK, 0); }

void BoxDialogWidget::reject() { SendMessageA(window_, WM_COMMAND, IDCANCEL, 0); }

namespace {
// Set once the dialog has told its owner that it is done.
constexpr int DIALOG_FINISHED = 4;
} // namespace

HWND ShowBoxDialog(const BoxDialogKind& kind, HWND owner, BoxFile* record)
{
    // One that is done but not yet closed makes way for the new one.
    if (IsWindow(*kind.open) && GetWindowLongPtrA(*kind.open, DIALOG_FINISHED))
        DestroyWindow(*kind.open);
    if (IsWindow(*kind.open)) {
        if (QWidget* widget = win::widgetOf(*kind.open)) {
            widget->raise();
            widget->activateWindow();
        }
        return *kind.open;
    }
    HWND dialog = win::createWindow(kind.className, kind.caption, kind.proc, owner, record);
    if (!dialog)
        return nullptr;
    // Without a widget application the dialog is its procedure alone.
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        auto* widget = new BoxDialogWidget(topWidgetOf(owner), dialog);
        kind.build(widget, dialog);
        win::attachWidget(dialog, widget);
        widget->show();
    }
    SendMessageA(dialog, WM_INITDIALOG, 0, 0);
    *kind.open = dialog;
    return dialog;
}

void keepDialogRecord(HWND dialog, LPARAM createStruct)
{
    auto* create = reinterpret_cast<const CREATESTRUCTA*>(createStruct);
    SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
}

BoxFile* dialogRecord(HWND dialog)
{
    return reinterpret_cast<BoxFile*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

HWND notifiedWindow(HWND dialog)
{
    const BoxFile* record = dialogRecord(dialog);
    return record && IsWindow(record->ownerWindow) ? record->ownerWindow : GetParent(dialog);
}

void finishDialog(HWND dialog, UINT notification)
{
    SetWindowLongPtrA(dialog, DIALOG_FINISHED, 1);
    if (QWidget* widget = win::widgetOf(dialog))
        widget->hide();
    PostMessageA(notifiedWindow(dialog), notification, 0, reinterpret_cast<LPARAM>(dialog));
    PostMessageA(dialog, WM_CLOSE, 0, 0);
}
