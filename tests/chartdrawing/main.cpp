// Track drawing runs on the GUI thread of an offscreen QApplication, as the program's would.
#include "platform/gui.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    win::startGuiPlatform();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
