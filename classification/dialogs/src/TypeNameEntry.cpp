// "Add Seabed Type": the modal text entry for a new seabed type name.
#include "BoxDialogWindow.h"
#include "classification/BoxDialogs.h"
#include "classification/SedrixNotifications.h"
#include "platform/gui.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <string>

namespace {
constexpr char TITLE[] = "Add Seabed Type";
constexpr int TYPE_ENTRY_CHARACTERS = 20;
} // namespace

void AskForTypeName(HWND owner)
{
    QDialog dialog(topWidgetOf(owner));
    dialog.setWindowTitle(TITLE);
    useGreyLook(&dialog);
    auto* layout = new QVBoxLayout(&dialog);
    auto* entry = win::withId(new QLineEdit, IDC_TYPE_NAME);
    entry->setMaxLength(TYPE_ENTRY_CHARACTERS);
    layout->addWidget(entry);
    QDialogButtonBox* buttons = win::okCancelButtons(&dialog);
    layout->addWidget(buttons);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setEnabled(false);
    QObject::connect(entry, &QLineEdit::textChanged, ok,
                     [ok](const QString& text) { ok->setEnabled(!text.trimmed().isEmpty()); });
    if (win::execModal(dialog, TITLE) != QDialog::Accepted)
        return;
    // The type list keeps 19 characters of a name: the 20th is cut rather than run on.
    std::string name = entry->text().trimmed().toLatin1().toStdString().substr(0, BOX_NAME_SIZE - 1);
    if (!name.empty())
        SendMessageA(owner, WM_SEDRIX_TYPE_ENTERED, 0, reinterpret_cast<LPARAM>(name.c_str()));
}
