#pragma once

#include "ToolWindow.h"

// The Track Options dialog's controls in their three groups, each control named by its
// identifier and wired to the window's procedure.
ToolFrame* CreateTrackOptionsWidget(QWidget* host, HWND window);
