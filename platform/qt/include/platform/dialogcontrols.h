// Dialogs built in code carry their controls' identifiers as object names, so the headless path
// and the tests find them as the resource identifiers name them.
#pragma once

#include <QDialog>
#include <QString>

class QDialogButtonBox;

namespace win {

template <typename W>
W* withId(W* control, int id)
{
    control->setObjectName(QString::number(id));
    return control;
}

template <typename W>
W* controlOf(const QDialog* dialog, int id)
{
    return dialog->findChild<W*>(QString::number(id));
}

// OK and Cancel (IDOK, IDCANCEL), wired to the dialog's accept and reject.
QDialogButtonBox* okCancelButtons(QDialog* dialog);

} // namespace win
