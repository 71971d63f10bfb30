// A button bar ("ButtonBar"): a grey window whose buttons, given as a table at its creation,
// share its client area evenly in one row or one column, laid out again at every size change.
// A click calls the bar's callback with the button's index. Buttons are checked only by the
// program (CheckButtonBarButton), never by a click.
#pragma once

#include "platform/windef.h"

constexpr int BB_BITMAP = 128; // the entry's image is shown on the button
constexpr int BB_ICON = 64;    // the same, for an icon

constexpr WORD BUTTONBAR_HORIZONTAL = 0;
constexpr WORD BUTTONBAR_VERTICAL = 1;

struct ButtonBarEntry {
    const char* label;
    const char* tooltip; // may be null
    int flags;           // BB_BITMAP, BB_ICON
    int image;           // one of the toolbar images (SedrixToolbar.h)
};

using ButtonBarCallback = void (*)(HWND bar, int buttonIndex);

// The window's layout word (window long 0): orientation in the high word, button count in the low.
constexpr int BUTTONBAR_LAYOUT = 0;

// rect: in the parent's client coordinates. The buttons' object names are their indices.
HWND CreateButtonBar(HWND parent, const ButtonBarEntry* entries, int count, WORD orientation,
                     ButtonBarCallback callback, RECT rect);
void CheckButtonBarButton(HWND bar, int index, bool checked);
void SetButtonBarLabel(HWND bar, int index, const char* label);
