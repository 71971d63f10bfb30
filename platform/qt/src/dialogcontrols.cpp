#include "platform/dialogcontrols.h"
#include "platform/windef.h"

#include <QDialogButtonBox>
#include <QPushButton>

QDialogButtonBox* win::okCancelButtons(QDialog* dialog)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    withId(buttons->button(QDialogButtonBox::Ok), IDOK);
    withId(buttons->button(QDialogButtonBox::Cancel), IDCANCEL);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}
