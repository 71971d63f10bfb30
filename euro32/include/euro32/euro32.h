// The chart engine interface: chart windows in an MDI area, conversion between geographic
// positions and window pixels, chart areas, the engine's actions and its saved chart status.
// Positions are signed 32-bit integers in 1e-7 degree, longitude before latitude; an area is
// west, north, east, south. Functions return non-zero on success unless said otherwise.
#pragma once

#include "platform/windef.h"

#include <cstdint>

extern "C" {

// Callbacks into the program.
typedef int (*EC_POSITIONCALLBACK)(HWND chartWindow, int32_t lon, int32_t lat);
typedef void (*EC_USERDRAWCALLBACK)(HWND chartWindow, void* painter);
typedef int (*EC_RIGHTMOUSECALLBACK)(HWND chartWindow, int option);
// Offered every mouse message of a chart window first; returns 1 when the program took it.
typedef int (*EC_MOUSECHANGECALLBACK)(HWND chartWindow, UINT message, WPARAM wParam, LPARAM lParam);
typedef int (*EC_GETPOSITIONCALLBACK)(int32_t* lon, int32_t* lat);

// Action codes of EC_oemChart_doAction.
enum {
    EC_ACTION_BLANK = 21011,    // Blank and Normal open a new chart window in that display
    EC_ACTION_SETTINGS = 21013,
    EC_ACTION_FOLIO = 21014,
    EC_ACTION_RELOAD = 21015,   // re-reads the chart folder
    EC_ACTION_COLOUR = 21017,   // day -> dusk -> night -> day
    EC_ACTION_REDRAW = 21026,
    EC_ACTION_CATALOGUE = 21032,
    EC_ACTION_NORMAL = 21033,
    EC_ACTION_INSTALL = 21034,
};

// major and minor for "v%d.%03d"; version = major * 1000 + minor; build number.
int EC_getDllVersion(int* major, int* minor, int* version, int* build);
int EC_initChartingSystem(int applicationNumber, int reserved, HWND desktop, int mode,
                          const char* title, int reserved2, int reserved3);
void EC_ExitChartingSystem(void);

int EC_SetPositionCallback(EC_POSITIONCALLBACK callback);
int EC_SetUserDrawCallback(EC_USERDRAWCALLBACK callback);
int EC_SetRightMouseCallback(EC_RIGHTMOUSECALLBACK callback, const char* option1, const char* option2);
int EC_SetMouseChangeCallback(EC_MOUSECHANGECALLBACK callback);
int EC_SetGetPositionCallback(EC_GETPOSITIONCALLBACK callback);
int EC_ChartSetOption(int option, int value, int extra);

int EC_SetParentWindow(HWND mainWindow);
int EC_SetMainWindowScreenId(HWND mdiClient);

// The chart set saved at the last exit.
int EC_UserRequiredRestore(void);
int EC_restoreChartStatusInit(int reserved); // number of charts to reopen
int EC_restoreChartStatusNext(int reserved);
int EC_restoreChartFinished(void);
int EC_saveChartsStatus(int reserved);

HWND EC_CreateChartWindow(int x, int y, int width, int height);
// Non-zero while a chart window is open: the top one's chart handle.
intptr_t EC_GetCurentChartHandle(void);

// Client pixels of the chart window; positive on success.
int EC_GeosToPixel(int32_t lon, int32_t lat, int* x, int* y, HWND chartWindow);
int EC_PixelToGeos(int x, int y, int32_t* lon, int32_t* lat, HWND chartWindow);
int EC_GetChartArea(HWND chartWindow, int32_t* west, int32_t* north, int32_t* east, int32_t* south);
// Shows at least the area, centred; north and south in either order. West greater than east
// crosses the 180 degree meridian, unless that would make the area wider than half the earth:
// then west and east are taken as swapped.
int EC_ChangeChartArea(HWND chartWindow, int32_t west, int32_t north, int32_t east, int32_t south);
// notify: tell the position callback where the chart is now centred.
int EC_CenterChartAt(int32_t lon, int32_t lat, HWND chartWindow, int redraw, int notify);
int EC_ChartZoomFull(void);

int EC_oemChart_doAction(int action);
int EC_ChartManagerUpdateAll(int redraw);
int EC_ChartManagerUpdateChart(HWND chartWindow, int reserved);
void EC_Beep(void);

} // extern "C"
