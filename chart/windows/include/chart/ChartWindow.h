// The chart window: the engine's chart captured into an image with the stored tracks drawn on,
// the live layers (current and selected past track, overlays, the vessel) over it, the chart
// timer that drives live drawing, and the chart commands (scales, centring, auto-scroll, zoom
// box, the engine's own actions).
#pragma once

#include "platform/windef.h"

#include <cstdint>

// Messages of the chart window.
constexpr UINT WM_CHART_SHOW_CONTROLS = WM_USER + 5;  // start-up: open the control bars
constexpr UINT WM_CHART_REFRESH = WM_USER + 845;      // recapture the chart, redraw every layer
// The replay module's jumps: erase the current track's display, or break its lines.
constexpr UINT WM_CHART_REPLAY_ERASE = WM_USER + 900;
constexpr UINT WM_CHART_REPLAY_BREAK = WM_USER + 901;
constexpr UINT CHART_TIMER_ID = 1;
constexpr UINT CHART_TIMER_MS = 200;

extern HWND hwndChart;
// The visible area, west, north, east, south (1e-7 degree), and the chart's title.
extern int32_t ChartArea[4];
extern char szChartTitle[128];
extern bool fAutoScroll;
// Read once at start-up: "c:\varnel\centre.ini" holding a non-zero integer gives 0.5.
extern double innerBoxFactor;
// The chart timer reads the vessel's speed from the module while this is set.
extern bool fReadVesselKnots;
extern float rVesselKnots;
extern uint32_t vesselKnotsUpdate;
// The chart directory text ("C:\charts\live_b").
extern char szChartDirectory[MAX_PATH];

// "ChartWnd" under the main window; its creation starts the module and the chart timer.
HWND CreateChartWnd(HWND mainWindow, RECT rect);
// The MDI client of the engine's chart windows and the chart windows it reopens; false (the
// main window destroyed) when the client cannot be made.
bool CreateChartWindows(HWND mainWindow);
// The engine's callbacks into the program.
void RegisterChartCallbacks();

void RefreshChart(HWND mainWindow);
void SetChartScale(HWND chartWindow, int denominator);
void CentreOnShip(HWND chartWindow, int lookAheadPercent);
// True when auto-scroll would re-centre the chart now.
bool VesselNeedsRecentring(HWND chartWindow);
// The zoom box released at these client pixels: a zoom, or a click that centres.
void ZoomBoxReleased(HWND chartWindow, POINT from, POINT to);
// The engine's chart window the chart window shows (0 when none is open).
HWND TopEngineChartWindow();
// Longitude and latitude spans of one scale unit (1e-7 degree).
void ChartScaleFactors(double* longitudeFactor, double* latitudeFactor);
// The live layers are drawn again from the painting source at the next paint.
void InvalidateChart(HWND chartWindow);
// How many chart captures have completed (tests wait on it).
int ChartCaptureCount();
