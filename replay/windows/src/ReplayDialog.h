// The widgets of the replay window: the "REPLAYWND" controls at their dialog-unit places, a
// caption to drag the window by, and the keys a dialog answers. What they do goes to
// ReplayWndProc as messages.
#pragma once

#include "platform/winuser.h"

constexpr int REPLAY_INTERVAL_STEP = 200;
constexpr int REPLAY_INTERVAL_MAX = 10000;

// "REPLAYWND" owned by the chart window, its widget under the chart window's parent, its
// counter field a window of its own. WM_INITDIALOG is the caller's to send.
HWND CreateReplayDialog(HWND owner);
