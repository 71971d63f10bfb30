// `GetSysColor`: the system colours the windows ask for, taken from the Qt palette.
#include "platform/winuser.h"

#include <QApplication>
#include <QPalette>

COLORREF GetSysColor(int index)
{
    if (index != COLOR_3DFACE || !qobject_cast<QApplication*>(QCoreApplication::instance()))
        return 0;
    const QColor face = QApplication::palette().color(QPalette::Button);
    return COLORREF(face.red()) | COLORREF(face.green()) << 8 | COLORREF(face.blue()) << 16;
}
