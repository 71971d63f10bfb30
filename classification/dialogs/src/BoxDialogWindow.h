// The box editor's modeless dialogs: a window with a procedure and a grey Qt dialog whose
// buttons and spin bars reach the procedure as messages.
#pragma once

#include "classification/BoxFile.h"
#include "platform/dialogcontrols.h"
#include "platform/gui.h"
#include "platform/winuser.h"

#include <QDialog>
#include <QString>

class QWidget;

// The spin bars' steps arrive as WM_HSCROLL / WM_VSCROLL with lParam the bar's control id.

// Grey (RGB 127,127,127) with black text.
void useGreyLook(QWidget* widget);
// The widget windows are drawn in beside owner: its top-level widget; null without widgets.
QWidget* topWidgetOf(HWND owner);

// OK and Cancel, Escape and the close box become IDOK and IDCANCEL to the procedure; the
// owner destroys the dialog when told it is done.
class BoxDialogWidget : public QDialog {
public:
    BoxDialogWidget(QWidget* parent, HWND window);

protected:
    void accept() override;
    void reject() override;
    HWND window_;
};

struct BoxDialogKind {
    const char* className; // the resource name
    const char* caption;
    WNDPROC proc;
    // Lays out the controls, with their ids, in the dialog made for the window.
    void (*build)(BoxDialogWidget* dialog, HWND window);
    HWND* open; // the one dialog of the kind
};
// Creates the window (WM_CREATE carries the record), its widget, then WM_INITDIALOG.
HWND ShowBoxDialog(const BoxDialogKind& kind, HWND owner, BoxFile* record);

// Window values: GWLP_USERDATA holds the record, 4 the finished mark, 0 is the procedure's own.
// For the procedures: WM_CREATE keeps the record, which the dialog then reaches.
void keepDialogRecord(HWND dialog, LPARAM createStruct);
BoxFile* dialogRecord(HWND dialog);
// Where the dialog's notifications go: the box's owner window, else the dialog's owner.
HWND notifiedWindow(HWND dialog);
// Tells the box's owner that the dialog is done (lParam: the dialog); the owner closes it, and
// a dialog whose owner does not closes itself.
void finishDialog(HWND dialog, UINT notification);

// The control with that id in the dialog's widget; null without one.
template <typename W>
W* dialogControl(HWND dialog, int id)
{
    auto* widget = qobject_cast<QDialog*>(win::widgetOf(dialog));
    return widget ? win::controlOf<W>(widget, id) : nullptr;
}
