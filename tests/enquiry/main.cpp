// The enquiry is tested on the GUI thread of an offscreen QApplication, on a 1024 x 768 screen
// whose caption is 18 pixels high unless the environment says otherwise, with times shown in UTC.
#include "platform/gui.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("TIDEVANE_SCREEN"))
        qputenv("TIDEVANE_SCREEN", "1024x768");
    if (qEnvironmentVariableIsEmpty("TIDEVANE_CAPTION"))
        qputenv("TIDEVANE_CAPTION", "18");
    setenv("TZ", "UTC", 1);
    tzset();
    QApplication app(argc, argv);
    win::startGuiPlatform();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
