// Screen metrics and monitors without a GUI: one pseudo-screen of the size TIDEVANE_SCREEN gives,
// or the monitors of a provided layout, with the nearest found for a rectangle.
#include "platform/screen.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {
struct ScreenEnv {
    explicit ScreenEnv(const char* size) { setenv("TIDEVANE_SCREEN", size, 1); }
    ~ScreenEnv()
    {
        unsetenv("TIDEVANE_SCREEN");
        win::setScreenProvider(nullptr);
    }
};
} // namespace

TEST(Screen, OnePseudoScreenUnlessProvided)
{
    ScreenEnv env("1024x768");
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
    EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 1);
    RECT work{};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_EQ(work.right, 1024);
}

TEST(Screen, NearestMonitorOfTwo)
{
    unsetenv("TIDEVANE_SCREEN");
    win::setScreenProvider([] {
        win::ScreenLayout layout;
        layout.monitors = {{{0, 0, 1280, 1024}, {0, 0, 1280, 984}, true},
                           {{1280, 0, 3200, 1080}, {1280, 0, 3200, 1040}, false}};
        return layout;
    });
    RECT right{3300, 100, 3400, 200};
    MONITORINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetMonitorInfoA(MonitorFromRect(&right, MONITOR_DEFAULTTONEAREST), &info));
    EXPECT_EQ(info.rcWork.left, 1280);
    EXPECT_EQ(info.dwFlags, 0u);
    EXPECT_EQ(MonitorFromRect(&right, MONITOR_DEFAULTTONULL), nullptr);
    EXPECT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), 3200);
    EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 2);
    win::setScreenProvider(nullptr);
}
