// The full-screen main window: its creation initialises the program, it shows the start-up
// picture, passes the program's private messages on to the chart window, and its destruction
// shuts the program down in order.
#include "frame/Program.h"

#include "Artwork.h"

#include "chart/ChartColours.h"
#include "chart/ChartWindow.h"
#include "euro32/euro32.h"
#include "frame/Inifile.h"
#include "platform/gui.h"
#include "platform/messages.h"

#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

HWND hwndMain = nullptr;
char szVarnelCaption[31] = "";
bool chartEngineInitialised = false;

namespace {

constexpr UINT FIRST_CHART_MESSAGE = WM_USER + 1;
constexpr UINT LAST_CHART_MESSAGE = WM_USER + 854;

class MainWidget : public QWidget {
protected:
    // MainWnd_OnPaint: the start-up picture in the middle three fifths of the screen; the chart
    // window covers it once it exists.
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::black);
        const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
        const QRect area(w / 5, h / 5, 3 * w / 5, 3 * h / 5);
        painter.drawImage(area, StartupPicture(area.size()));
    }
};

LRESULT onCreate(HWND window)
{
    hwndMain = window;
    std::snprintf(szVarnelCaption, sizeof szVarnelCaption, "%s", "Varnel System Manager");
    return InitialiseVarnel(window) ? 0 : -1;
}

void onDestroy()
{
    if (hwndChart)
        DestroyWindow(hwndChart);
    if (chartEngineInitialised) {
        EC_saveChartsStatus(0);
        WriteVarnelProfileString("INSTALL", "Just installed", "0");
    }
    chartEngineInitialised = false;
    DeleteGlobalObjects();
    int32_t gll = 0, gga = 1, vtg = 1;
    LoadNmeaSentences(&gll, &gga, &vtg);
    SaveNmeaSentences(gll, gga, vtg);
    hwndMain = nullptr;
    PostQuitMessage(0);
}

} // namespace

QWidget* CreateMainWidget()
{
    auto* widget = new MainWidget;
    widget->setWindowFlag(Qt::FramelessWindowHint);
    widget->setAttribute(Qt::WA_OpaquePaintEvent);
    return widget;
}

LRESULT MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= FIRST_CHART_MESSAGE && message <= LAST_CHART_MESSAGE)
        return hwndChart ? SendMessageA(hwndChart, message, wParam, lParam) : 0;
    switch (message) {
    case WM_CREATE:
        return onCreate(window);
    case WM_DESTROY:
        onDestroy();
        return 0;
    case WM_SETFOCUS:
        return 0;
    case WM_USER:
        if (!ShowDisclaimer(hwndChart))
            DestroyWindow(window);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
