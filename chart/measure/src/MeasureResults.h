// The two "MeasureWnd" windows showing the measuring results.
#pragma once

#include "platform/winuser.h"

// Creates a hidden result window under `parent` (the main window) at rect, in the parent's
// client coordinates.
HWND CreateMeasureResultWindow(HWND parent, RECT rect);
// Size of a result window: three text rows below a free row of the round corners.
int MeasureResultHeight();
