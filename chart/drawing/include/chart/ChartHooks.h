// What other windows hang on the chart window without depending on it: the windows that show
// each reading as it is processed, markers painted over the chart at every paint (the
// enquiry's marker, the measuring line), and a tool that takes the chart's mouse while it is on.
#pragma once

#include "platform/windef.h"

class QPainter;

// A reading for the windows that show readings: wParam the beam slot, lParam a const
// TrackPoint* valid while the message is handled (it is sent, not posted).
constexpr UINT WM_NEW_READING = WM_USER + 420;

// Set by the classification window and the depth window while they exist; each gets every
// processed slot's reading, after its classification.
extern HWND hwndSedrixWnd;
extern HWND hwndDepthWnd;

// Painted in the order added, over the chart and the vessel. Adding twice adds once.
using ChartMarkerPainter = void (*)(QPainter& painter);
void AddChartMarkerPainter(ChartMarkerPainter paint);
void RemoveChartMarkerPainter(ChartMarkerPainter paint);
void PaintChartMarkers(QPainter& painter);

// WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEMOVE, WM_RBUTTONDOWN, WM_RBUTTONUP at a client pixel of
// the chart window; true when the tool took it (the chart then draws no zoom box for it).
// One tool at a time; null gives the mouse back to the chart.
using ChartMouseHandler = bool (*)(HWND chartWindow, UINT message, POINT at);
void SetChartMouseHandler(ChartMouseHandler handler);
ChartMouseHandler CurrentChartMouseHandler();
