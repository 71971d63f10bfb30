// The screen metrics every window lays itself out from, the window type codes by which windows
// name themselves in messages, and the default rectangles of the tool windows.
#pragma once

#include "platform/windef.h"

// Measured once at start-up; later changes of the display are not followed.
struct ScreenMetrics {
    int W = 0;         // screen width
    int H = 0;         // screen height
    int L = 0;         // line height: caption height + 2
    int unitEdit = 0;  // cell of the Sedrix editor: W / 80, at least 10
    int unit = 0;      // cell of the Sedrix display: W / 125
    int cyVScroll = 0; // height of a vertical scroll-bar arrow
};
extern ScreenMetrics screenMetrics;

// Window type codes: the wParam of WM_TOOLWINDOW_CLOSED and the argument of
// GetDefaultWindowRect.
constexpr int MAINWND = 0;
constexpr int CHARTWND = 10;
constexpr int SEDRIXWND = 20;
constexpr int SEDRIXWNDEDIT = 25;
constexpr int DEPTHWND = 30;
constexpr int DUALDEPTHWND = 34;
constexpr int BOTTOMWND = 40;
constexpr int HFBOTTOMWND = 42;
constexpr int MEASUREWND = 50;
constexpr int SYMBOLWND = 60;
constexpr int LAYERSWND = 70;
constexpr int OVERLAYSWND = 80;
constexpr int POSITIONWND = 90;
constexpr int TRACKSWND = 100;
constexpr int ANABARWND = 110;
constexpr int ROUTESWND = 120;
constexpr int KEYBOARDWND = 130;
constexpr int ACTIVEROUTEWND = 140;
constexpr int DEPTHCOLOURWND = 150;

// A tool window that closes, or asks to be closed, tells the chart window with its type code
// in wParam.
constexpr UINT WM_TOOLWINDOW_CLOSED = WM_USER + 2;

// Text a little smaller than the screen line, so that it fits a button one line high.
int LineFontPixels(int lineHeight);
// The text of the tool windows, whose layouts are fixed in pixels: one line's text, at most 12
// pixels even when a large system font makes the line tall.
int ToolWindowFontPixels();

// Fills screenMetrics from the primary screen; returns 1.
int ComputeScreenMetrics();
// Fills the default rectangles from screenMetrics; returns 1. Run after ComputeScreenMetrics.
int ComputeDefaultRects();
// For a window with a default rectangle (Sedrix window and editor, depth, seabed, symbol,
// layers and overlays windows) copies it into rect and stores it at once under the window's
// profile section; any other code leaves rect alone. Returns 1.
int GetDefaultWindowRect(int code, RECT* rect);
// The name of a window type, "Unknown Varnel window type" for a code not in the table.
const char* WindowTypeName(int code);
