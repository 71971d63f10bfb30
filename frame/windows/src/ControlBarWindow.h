#pragma once

#include "platform/windef.h"

bool IsControlBarId(int barId);
// A bar window keeps its id in its window long 0.
constexpr int CONTROLBAR_ID = 0;
// The bar window of barId with its top at screenY on the screen, x and width as the bar takes
// them; not put on the stack of open bars. Null for an unknown id.
HWND CreateControlBarWindow(int barId, HWND owner, int screenY);
// Takes a destroyed bar off the stack of open bars.
void ForgetControlBar(HWND bar);
