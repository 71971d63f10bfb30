// Screen metrics and monitors from the GUI's screens, the TIDEVANE_SCREEN and TIDEVANE_CAPTION
// overrides, the monitor of a window, and which platforms run headless with the scripted boxes.
#include "platform/gui.h"
#include "recorder.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>

#include <cstdlib>
#include <future>
#include <optional>

#include <gtest/gtest.h>

namespace {

// Sets (or with null, removes) an environment variable for the scope.
class EnvVar {
public:
    EnvVar(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~EnvVar() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> old_;
};

class ScreensTest : public testing::Test {
protected:
    void SetUp() override { win::startGuiPlatform(); }
    void TearDown() override { win::setMessageBoxBackend(nullptr); }
    EnvVar noScreen{"TIDEVANE_SCREEN", nullptr};
    EnvVar noCaption{"TIDEVANE_CAPTION", nullptr};
};

TEST_F(ScreensTest, MetricsComeFromTheQtScreen)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_TRUE(screen);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), screen->geometry().width());
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), screen->geometry().height());
    EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), int(QGuiApplication::screens().size()));
    EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION),
              QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight));
    RECT work;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    QRect available = screen->availableGeometry();
    EXPECT_EQ(work.right - work.left, available.width());
    EXPECT_EQ(work.bottom - work.top, available.height());

    // Other threads see the same screens.
    auto width = std::async(std::launch::async, [] { return GetSystemMetrics(SM_CXSCREEN); });
    EXPECT_EQ(width.get(), screen->geometry().width());
}

TEST_F(ScreensTest, EnvironmentOverridesTheQtScreen)
{
    EnvVar screen("TIDEVANE_SCREEN", "1024x768");
    EnvVar caption("TIDEVANE_CAPTION", "30");
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
    EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 1);
    EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 30);
}

TEST_F(ScreensTest, MonitorFromWindowFollowsTheWindow)
{
    QRect screen = QGuiApplication::primaryScreen()->geometry();
    HWND onScreen = win::createWindow("TestWnd", "on", test::Recorder::proc, nullptr, nullptr,
                                      {10, 10, 200, 100});
    auto* widget = new QWidget;
    win::attachWidget(onScreen, widget);
    HWND offScreen = win::createWindow("TestWnd", "off", test::Recorder::proc, nullptr, nullptr,
                                       {screen.right() + 500, 0, screen.right() + 600, 100});

    HMONITOR monitor = MonitorFromWindow(onScreen, MONITOR_DEFAULTTONULL);
    ASSERT_TRUE(monitor);
    MONITORINFO info{sizeof(MONITORINFO), {}, {}, 0};
    ASSERT_TRUE(GetMonitorInfoA(monitor, &info));
    EXPECT_EQ(info.rcMonitor.right - info.rcMonitor.left, screen.width());
    EXPECT_EQ(info.dwFlags, MONITORINFOF_PRIMARY);

    EXPECT_EQ(MonitorFromWindow(offScreen, MONITOR_DEFAULTTONULL), nullptr);
    EXPECT_EQ(MonitorFromWindow(offScreen, MONITOR_DEFAULTTONEAREST), monitor);
    DestroyWindow(onScreen);
    DestroyWindow(offScreen);
    EXPECT_EQ(MonitorFromWindow(onScreen, MONITOR_DEFAULTTONULL), nullptr);
}

TEST(GuiStart, HeadlessPlatforms)
{
    struct Case {
        const char* platform;
        const char* headlessVariable;
        bool headless;
    };
    const Case cases[] = {
        {"xcb", nullptr, false},      {"wayland", nullptr, false}, {"offscreen", nullptr, true},
        {"minimal", nullptr, true},   {"xcb", "1", true},          {"xcb", "0", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.platform << " " << (c.headlessVariable ? "set" : ""));
        EnvVar headless("TIDEVANE_HEADLESS", c.headlessVariable);
        EXPECT_EQ(win::headlessPlatform(c.platform), c.headless);
    }
}

TEST(GuiStart, OffscreenUsesTheScriptedBoxes)
{
    win::setMessageBoxBackend(win::qtMessageBoxBackend());
    win::startGuiPlatform();
    ASSERT_TRUE(win::isHeadless());
    // Should a Qt box come up after all, dismiss it with No so the test fails instead of hanging.
    QTimer dismiss;
    QObject::connect(&dismiss, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->button(QMessageBox::No)->click();
    });
    dismiss.start(5);
    EXPECT_EQ(MessageBoxA(nullptr, "headless", "test", MB_YESNO), IDYES);
}

} // namespace
