// The replay window ("REPLAYWND"): a small tape deck floating over the chart that drives the
// replay module through the replay flags and shows the module's record counter.
#pragma once

#include "platform/windef.h"

// Controls of "REPLAYWND".
constexpr int IDC_BUTTON_FASTFWD = 4278; // ">>"
constexpr int IDC_BUTTON_PLAY = 4279;    // ">"
constexpr int IDC_BUTTON_FASTREV = 4280; // "<<"
constexpr int IDC_BUTTON_REV = 4281;     // "<"
constexpr int IDC_BUTTON_PAUSE = 4282;   // "||", the default button, not shown
constexpr int IDC_BUTTON_HOME = 4283;    // "|<<"
constexpr int IDC_BUTTON_END = 4284;     // ">>|"
constexpr int IDC_REPLAY_COUNTER = 4285;
constexpr int IDC_BUTTON_STOP = 4286;    // "[]"
constexpr int IDC_REPLAY_INTERVAL = 4289; // vertical scroll bar
// "X" is IDOK (1); Escape gives IDCANCEL (2).

// The replay window while it exists, else 0.
extern HWND hwndReplay;

// Creates the window over the chart window's parent when it does not exist, marks it open in
// the profile, and shows it. The instrument bar's "Replay" button and the start-up (when
// "ReplayWnd" was left open) call it.
void ShowReplayWindow(HWND chartWindow);
// Shows the play mode on the five mode buttons; nothing without the window. GUI thread.
void UpdateReplayButtons();
// The module's record counter into the counter field, when the module has GetCounter and the
// window exists. The chart calls it for every record it takes from the module.
void UpdateReplayCounter();

LRESULT ReplayWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
