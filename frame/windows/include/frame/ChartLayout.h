// Where the chart window lies: below the one-line strips along the top of the screen that exist,
// with the control bars and the mode windows kept on the screen's bottom lines.
#pragma once

#include "platform/windef.h"

// The three top strips; null while they do not exist.
extern HWND hwndChartTitleStrip;
extern HWND hwndPositionStrip;
extern HWND hwndActiveRouteStrip;

// How many of the three top strips are windows.
int TopStripCount();
// Moves the chart window to (0, k*L), W wide and H - k*L high, k = TopStripCount(); the bars and
// mode windows inside it stay where they were on the screen. Run it after a top strip comes or
// goes.
void LayoutChartBelowTopStrips(HWND chartWindow);
// The screen lines along the bottom that cover the chart: 3 while a mode's windows are shown,
// else one per open control bar. The chart capture keeps the chart above them.
int ChartBottomLines();
