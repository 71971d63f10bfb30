// The main of the tests that need widgets: they run on the GUI thread of an offscreen
// QApplication, as the program does, on a 1024 x 768 screen whose caption is 18 pixels high
// unless the environment says otherwise.
#include "platform/gui.h"

#include <QApplication>
#include <QThreadPool>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("TIDEVANE_SCREEN"))
        qputenv("TIDEVANE_SCREEN", "1024x768");
    if (qEnvironmentVariableIsEmpty("TIDEVANE_CAPTION"))
        qputenv("TIDEVANE_CAPTION", "18");
    QApplication app(argc, argv);
    win::startGuiPlatform();
    // Qt's pooled threads leave at once when idle, so thread counts show a module's own.
    QThreadPool::globalInstance()->setExpiryTimeout(0);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
