// `PumpPendingMessages`: lets a long job inside a message handle the messages waiting, keeping
// the busy cursor it had.
#include "frame/Program.h"

#include "platform/winuser.h"

#include <QApplication>

int PumpPendingMessages(int restoreCursor)
{
    const bool overridden = restoreCursor && QApplication::overrideCursor();
    const QCursor cursor = overridden ? *QApplication::overrideCursor() : QCursor();
    const bool quit = win::pumpPendingMessages();
    if (overridden && QApplication::overrideCursor())
        QApplication::changeOverrideCursor(cursor);
    return quit ? 1 : 0;
}
