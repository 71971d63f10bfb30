// The dialogs over the seabed type list: naming the current class after a type
// ("BOTTOMDIALOG") and deleting a type ("DELTYPEDIALOG").
#include "BoxDialogWindow.h"
#include "classification/BoxDialogs.h"
#include "classification/SedrixNotifications.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

HWND bottomDialog = nullptr;
HWND deleteTypeDialog = nullptr;

// The list starts with nothing chosen.
void fillTypeList(HWND dialog)
{
    auto* list = dialogControl<QComboBox>(dialog, IDC_TYPE_LIST);
    if (!list)
        return;
    const BoxFile* record = dialogRecord(dialog);
    list->clear();
    for (int i = 0; i < record->typeCount; ++i)
        list->addItem(QString::fromLatin1(record->typeNames[i]));
    list->setCurrentIndex(-1);
}

int chosenType(HWND dialog)
{
    auto* list = dialogControl<QComboBox>(dialog, IDC_TYPE_LIST);
    return list ? list->currentIndex() : -1;
}

// What both dialogs do besides their OK.
LRESULT typeListMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        keepDialogRecord(dialog, lParam);
        return 0;
    case WM_INITDIALOG:
        fillTypeList(dialog);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL)
            finishDialog(dialog, WM_SEDRIX_DIALOG_CLOSED);
        return 0;
    default:
        return DefWindowProcA(dialog, message, wParam, lParam);
    }
}

LRESULT BottomDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        NameClassFromType(dialogRecord(dialog), chosenType(dialog));
        finishDialog(dialog, WM_SEDRIX_DIALOG_CLOSED);
        return 0;
    }
    return typeListMessage(dialog, message, wParam, lParam);
}

// Nothing chosen deletes nothing.
LRESULT DelTypeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        DeleteTypeName(dialogRecord(dialog), chosenType(dialog));
        finishDialog(dialog, WM_SEDRIX_DIALOG_CLOSED);
        return 0;
    }
    return typeListMessage(dialog, message, wParam, lParam);
}

void buildTypeList(BoxDialogWidget* widget, const char* text, QDialogButtonBox* buttons)
{
    auto* layout = new QVBoxLayout(widget);
    layout->addWidget(new QLabel(text));
    auto* list = win::withId(new QComboBox, IDC_TYPE_LIST);
    list->setMinimumContentsLength(BOX_NAME_SIZE);
    layout->addWidget(list);
    layout->addWidget(buttons);
}

void buildBottom(BoxDialogWidget* widget, HWND)
{
    buildTypeList(widget, "Choose a new type name from list.", win::okCancelButtons(widget));
}

void buildDeleteType(BoxDialogWidget* widget, HWND)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    win::withId(buttons->button(QDialogButtonBox::Ok), IDOK);
    QObject::connect(buttons, &QDialogButtonBox::accepted, widget, &QDialog::accept);
    buildTypeList(widget, "Choose the type name you wish to delete from the list.", buttons);
}

} // namespace

HWND ShowBottomDialog(HWND owner, BoxFile* record)
{
    static const BoxDialogKind kind{"BOTTOMDIALOG", "Seabed Class Name", BottomDialogProc, buildBottom,
                                    &bottomDialog};
    return ShowBoxDialog(kind, owner, record);
}

HWND ShowDeleteTypeDialog(HWND owner, BoxFile* record)
{
    static const BoxDialogKind kind{"DELTYPEDIALOG", "Delete Seabed Type", DelTypeDialogProc,
                                    buildDeleteType, &deleteTypeDialog};
    return ShowBoxDialog(kind, owner, record);
}
