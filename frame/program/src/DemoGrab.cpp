// "--grab FILE --after SECONDS": a picture of the whole main window once the program has run
// that long, then the normal shutdown. The demo uses it where there is no display.
#include "frame/Program.h"

#include "platform/gui.h"

#include <QTimer>
#include <QWidget>

#include <cstdio>

void ScheduleDemoGrab(HWND mainWindow, const ProgramOptions& options)
{
    const std::string file = options.grabFile;
    QTimer::singleShot(options.grabAfterMs, [mainWindow, file] {
        if (!IsWindow(mainWindow))
            return;
        if (QWidget* widget = win::widgetOf(mainWindow)) {
            if (!widget->grab().save(QString::fromStdString(file)))
                std::fprintf(stderr, "Failed writing %s\n", file.c_str());
        }
        DestroyWindow(mainWindow);
    });
}
