// Whether windows can be shown at all (offscreen, minimal or TIDEVANE_HEADLESS runs), and
// starting the GUI side of the platform.
#include "platform/gui.h"

#include <QApplication>

#include <cstdlib>
#include <cstring>

namespace win {

bool headlessPlatform(std::string_view platformName)
{
    const char* headless = std::getenv("TIDEVANE_HEADLESS");
    if (headless && std::strcmp(headless, "1") == 0)
        return true;
    return platformName == "offscreen" || platformName == "minimal";
}

bool isHeadless()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return true;
    return headlessPlatform(QGuiApplication::platformName().toStdString());
}

void startGuiPlatform()
{
    qtScreenLayout(); // so other threads have the screens from the start
    setScreenProvider(qtScreenLayout);
    setWindowRectProvider([](HWND window, RECT* rect) { return GetWindowRect(window, rect) != FALSE; });
    setMessageBoxBackend(isHeadless() ? nullptr : qtMessageBoxBackend());
}

} // namespace win
