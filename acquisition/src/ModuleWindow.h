// The module's window: the raw GPS and sounder traffic, and the "Swath Setup" menu.
#pragma once

#include "acquisition/ModuleSettings.h"
#include "platform/windef.h"

// Creates the window object and its widget on the GUI thread; null when creation failed.
HWND CreateModuleWindow(HWND owner, const RECT& rect, int showState);
// Destroys the window and its widget at once, on the GUI thread: the widget's code is the
// module's, which may be unloaded right after.
void DestroyModuleWindow(HWND window);
// The set-up dialog's parameter block: copies of the module's settings and reading, and the
// program's records the dialog reaches.
SetupBlock ModuleSetupBlock();
LRESULT ModuleWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
