#pragma once

#include "platform/winuser.h"

// A one-line strip showing its window's text (SetWindowTextA changes it): the chart title strip
// and the mode windows. rect: in the parent's client coordinates; proc: the strip's procedure,
// which passes what it does not handle to DefWindowProcA.
HWND CreateTextStrip(const char* className, const char* text, HWND parent, RECT rect, bool centred,
                     WNDPROC proc);
