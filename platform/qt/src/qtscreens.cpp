// The screens for the monitor functions, from QScreen.
#include "platform/gui.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>

#include <mutex>

namespace win {
namespace {

std::mutex mutex;
ScreenLayout lastSeen;

RECT toRect(const QRect& r) { return RECT{r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}; }

ScreenLayout readScreens()
{
    ScreenLayout layout;
    QScreen* primary = QGuiApplication::primaryScreen();
    if (primary)
        layout.monitors.push_back({toRect(primary->geometry()),
                                   toRect(primary->availableGeometry()), true});
    for (QScreen* screen : QGuiApplication::screens())
        if (screen != primary)
            layout.monitors.push_back({toRect(screen->geometry()),
                                       toRect(screen->availableGeometry()), false});
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        int caption = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
        if (caption > 0)
            layout.captionHeight = caption;
    }
    return layout;
}

} // namespace

ScreenLayout qtScreenLayout()
{
    // QScreen belongs to the GUI thread; other threads get what it saw last.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) && isGuiThread()) {
        ScreenLayout layout = readScreens();
        std::lock_guard lock(mutex);
        lastSeen = layout;
        return layout;
    }
    std::lock_guard lock(mutex);
    return lastSeen;
}

} // namespace win
