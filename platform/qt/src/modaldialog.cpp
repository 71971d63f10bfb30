// Modal dialogs: run for the user, or answered from the scripted queue by setting their
// controls as a user would and pressing a button.
#include "platform/gui.h"
#include "qtext.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>

namespace win {
namespace {

// Sets a control as the user would have left it, through the signals the user's own typing
// and clicking give, so the dialog's handlers see the change: the text of an edit, "1"/"0" for a
// check box or radio button, the entry (by text, else by index) of a combo box, the value of a
// spin box, the entry of a list with that text, the text of a label that the dialog's own
// buttons would have changed.
void setControl(QWidget& control, const std::string& value)
{
    QString text = toQString(value);
    if (auto* edit = qobject_cast<QLineEdit*>(&control)) {
        edit->setText(text);
        emit edit->textEdited(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(&control)) {
        if (button->isCheckable() && button->isChecked() != (text.toInt() != 0))
            button->click();
    } else if (auto* combo = qobject_cast<QComboBox*>(&control)) {
        int index = combo->findText(text);
        combo->setCurrentIndex(index >= 0 ? index : text.toInt());
    } else if (auto* spin = qobject_cast<QSpinBox*>(&control)) {
        spin->setValue(text.toInt());
    } else if (auto* spin = qobject_cast<QDoubleSpinBox*>(&control)) {
        spin->setValue(text.toDouble());
    } else if (auto* list = qobject_cast<QListWidget*>(&control)) {
        auto found = list->findItems(text, Qt::MatchExactly);
        if (!found.isEmpty())
            list->setCurrentItem(found.first());
    } else if (auto* label = qobject_cast<QLabel*>(&control)) {
        label->setText(text);
    }
}

} // namespace

intptr_t execModal(QDialog& dialog, const std::string& name)
{
    if (!isHeadless())
        return dialog.exec();
    scripted::DialogResult result = scripted::takeDialog(name).value_or(scripted::DialogResult{});
    for (const auto& [id, value] : result.controls)
        if (auto* control = dialog.findChild<QWidget*>(QString::number(id)))
            setControl(*control, value);
    // OK runs the dialog's own acceptance, as pressing the button would.
    if (result.code == IDOK)
        dialog.accept();
    else
        dialog.done(int(result.code));
    return dialog.result();
}

} // namespace win
