// The program's entry: time zone, single instance, chart engine, the main window with the
// start-up picture, the chart window, and the message loop.
#include "frame/Program.h"

#include "chart/ChartWindow.h"
#include "euro32/euro32.h"
#include "frame/WindowLayout.h"
#include "platform/files.h"
#include "platform/gui.h"
#include "platform/messages.h"
#include "platform/system.h"
#include "replay/ReplayFlags.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include <cstdlib>

char szTitle[260] = "";
extern bool chartEngineInitialised;
QWidget* CreateMainWidget();
void ScheduleDemoGrab(HWND mainWindow, const ProgramOptions& options);

namespace {

constexpr int CHART_ENGINE_APPLICATION = 6001;

bool startChartEngine(const ProgramOptions& options)
{
    if (chartEngineInitialised)
        return true;
    int major = 0, minor = 0;
    EC_getDllVersion(&major, &minor, nullptr, nullptr);
    std::snprintf(szTitle, sizeof szTitle, "Varnel Swath 5,0,3,0S Replay for ECS v%d.%03d (DLL %d)", major, minor,
                  CHART_ENGINE_APPLICATION);
    if (!EC_initChartingSystem(CHART_ENGINE_APPLICATION, 0, nullptr, options.blankCharts ? 1064 : 2010, szTitle, 0, 0))
        return false;
    chartEngineInitialised = true;
    return true;
}

HWND createMainWindow()
{
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    QWidget* widget = qobject_cast<QApplication*>(QCoreApplication::instance()) ? CreateMainWidget() : nullptr;
    HWND window = win::createWindow("MainWnd", "Varnel Swath for Sedrix", MainWndProc, nullptr, nullptr,
                                    RECT{0, 0, w, h});
    if (!window) {
        delete widget;
        return nullptr;
    }
    if (widget) {
        win::attachWidget(window, widget);
        widget->setGeometry(0, 0, w, h);
    }
    return window;
}

// The start-up picture shows for a while; events that paint it are processed, input is not.
void showStartupPicture(int milliseconds)
{
    if (milliseconds <= 0)
        return;
    QEventLoop wait;
    QTimer::singleShot(milliseconds, &wait, &QEventLoop::quit);
    wait.exec(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

int VarnelMain(const ProgramOptions& options)
{
    programOptions = options;
    if (!std::getenv("TZ"))
        setenv("TZ", "PST8PDT", 1);
    win::applyTimeZone();
    if (!win::acquireInstanceLock("VarnelMutex")) {
        MessageBoxA(nullptr, "A Varnel program is already running", nullptr, MB_OK);
        return 0;
    }
    if (!startChartEngine(options))
        return 0;
    ComputeScreenMetrics();
    ComputeDefaultRects();

    hwndMain = createMainWindow();
    if (!hwndMain) {
        // The failed window's shutdown has posted its quit: take it, so nothing is left waiting.
        win::runMessageLoop();
        EC_ExitChartingSystem();
        return -42;
    }
    ShowWindow(hwndMain, SW_SHOW); // already the whole screen: maximising would take Qt's idea of it
    UpdateWindow(hwndMain);
    EC_SetParentWindow(hwndMain);
    showStartupPicture(options.startupWaitMs);

    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    if (!IsWindow(hwndMain) || !CreateChartWnd(hwndMain, RECT{0, 0, w, h}))
        return -43;
    if (!CreateChartWindows(hwndMain) || !hwndChart) {
        if (IsWindow(hwndMain))
            DestroyWindow(hwndMain);
        return -4;
    }
    SendMessageA(hwndChart, WM_CHART_SHOW_CONTROLS, 0, 0);
    win::remove("c:\\varnel\\~kcin.ini");
    PostMessageA(hwndChart, WM_CHART_REFRESH, 0, 0);
    PostMessageA(hwndMain, WM_USER, 0, 0); // the conditions of use, over the first chart

    if (options.play)
        bStop = 0;
    fAutoScroll = options.autoScroll;
    if (!options.grabFile.empty())
        ScheduleDemoGrab(hwndMain, options);
    const int code = win::runMessageLoop();
    EC_ExitChartingSystem();
    return code;
}
