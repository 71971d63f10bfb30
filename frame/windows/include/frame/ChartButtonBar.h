// The chart window's button bar: a column along the right edge of the chart window, from below
// the top strips down to the control bars, where a user of the full-screen chart finds it beside
// the chart while it covers only a narrow edge of it.
#pragma once

#include "frame/ButtonBar.h"

enum ChartButton {
    CB_DATABASE,
    CB_SAVE,
    CB_AUTOSAVE,
    CB_TRACKS,
    CB_TRACKOPTIONS,
    CB_BOX1,
    CB_BOX2,
    CB_SCROLL,
    CB_MEASURE,
    CB_DEPTH,
    CB_SEDRIXSQUARE,
    CB_SCALE5K,
    CB_SCALE10K,
    CB_SCALE25K,
    CB_SCALE50K,
    CB_SCALE100K,
    CHART_BUTTON_COUNT
};

// Null until it is made; destroyed with the chart window (IsWindow tells).
extern HWND hwndChartButtonBar;

HWND CreateChartButtonBar(HWND chartWindow, ButtonBarCallback callback);
// The scale denominator of a scale button (5000 ... 100000), 0 for the other buttons.
int ChartButtonScale(int button);
// The scale buttons are a radio group: all five unchecked, then the one of this denominator
// (none for 0 or a scale without a button).
void SelectScaleButton(HWND bar, int denominator);
