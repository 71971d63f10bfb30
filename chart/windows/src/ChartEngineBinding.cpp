// The chart engine's side of the chart window: the MDI client its chart windows live in (kept
// hidden: the chart window paints captures of them), the chart windows reopened from the last
// run, and the callbacks through which the engine asks the program.
#include "chart/ChartWindow.h"

#include "euro32/euro32.h"
#include "euro32/euro32qt.h"
#include "frame/Inifile.h"
#include "platform/gui.h"
#include "platform/profile.h"
#include "recording/VesselState.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

constexpr int IDM_CHART_TO_TOP = 40048;

// Set by a chart tool of the program's own while it takes the mouse.
bool chartToolActive = false;

int onPosition(HWND, int32_t, int32_t) { return 1; }

void onUserDraw(HWND, void*) {}

int onRightMouseOption(HWND, int) { return 0; }

int onMouseChange(HWND, UINT message, WPARAM wParam, LPARAM)
{
    if (euro32::catalogueShown())
        return 0;
    if (message == WM_COMMAND && LOWORD(wParam) == IDM_CHART_TO_TOP && hwndChart) {
        ShowWindow(hwndChart, SW_SHOW);
        return 1;
    }
    if (message == WM_RBUTTONUP)
        PostMessageA(hwndChart, WM_CHART_REFRESH, 0, 0);
    const bool button = message == WM_LBUTTONDOWN || message == WM_LBUTTONUP ||
                        message == WM_RBUTTONDOWN || message == WM_RBUTTONUP;
    return button && chartToolActive ? 1 : 0;
}

int onGetPosition(int32_t* lon, int32_t* lat)
{
    if (vessellatitude < -900000000 || vessellatitude > 900000000 || vessellongitude < -1800000000 ||
        vessellongitude > 1800000000)
        return 0;
    *lon = vessellongitude;
    *lat = vessellatitude;
    return 1;
}

} // namespace

void RegisterChartCallbacks()
{
    EC_SetPositionCallback(onPosition);
    EC_SetUserDrawCallback(onUserDraw);
    EC_SetRightMouseCallback(onRightMouseOption, "User option  1", "User option  2");
    EC_SetMouseChangeCallback(onMouseChange);
    EC_SetGetPositionCallback(onGetPosition);
}

bool CreateChartWindows(HWND mainWindow)
{
    RECT client{};
    GetClientRect(mainWindow, &client);
    HWND mdiClient = win::createWindow("MDICLIENT", "Varnel chart MDI Client window", DefWindowProcA,
                                       mainWindow, nullptr, client);
    if (!mdiClient) {
        DestroyWindow(mainWindow);
        return false;
    }
    if (QWidget* parent = win::widgetOf(mainWindow)) {
        auto* area = new QMdiArea(parent);
        area->setGeometry(client.left, client.top, client.right - client.left, client.bottom - client.top);
        area->hide();
        win::attachWidget(mdiClient, area);
    }
    EC_SetMainWindowScreenId(mdiClient);

    int reopened = 0;
    const int justInstalled = int(GetPrivateProfileIntA("INSTALL", "Just installed", 1, VARNEL_INI));
    if (EC_UserRequiredRestore() && !justInstalled) {
        const int count = EC_restoreChartStatusInit(0);
        for (int i = 0; i < count; ++i)
            reopened += EC_restoreChartStatusNext(0) ? 1 : 0;
        EC_restoreChartFinished();
        if (reopened == 1)
            EC_ChartSetOption(9, 1, 0);
    }
    if (reopened == 0) {
        HWND chart = EC_CreateChartWindow(client.left + 1, client.top + 1, client.right - client.left - 1,
                                          client.bottom - client.top - 1);
        if (QWidget* view = euro32::chartWidget(chart))
            if (auto* frame = qobject_cast<QMdiSubWindow*>(view->parentWidget()))
                frame->showMaximized();
    }
    HWND top = TopEngineChartWindow();
    if (!top) {
        std::snprintf(szChartTitle, sizeof szChartTitle, "%s", "No Chart Selected for Sedrix");
        return true;
    }
    GetWindowTextA(GetParent(top), szChartTitle, sizeof szChartTitle);
    EC_GetChartArea(top, &ChartArea[0], &ChartArea[1], &ChartArea[2], &ChartArea[3]);
    return true;
}
