// The Track Options dialog: how the current and the past track are shown, the transducer
// filter, the plot density, the save interval and the two replay options. Modeless and at most
// one; it reports to the chart window, which closes it.
#pragma once

#include "platform/windef.h"

// To the chart window: open the Depth Scale window, the tracks are coloured by depth.
constexpr UINT WM_DEPTH_COLOURS = WM_USER + 840; // 1864
// To the chart window: redraw everything from the database (the chart window's refresh).
constexpr UINT WM_TRACKS_REDRAW = WM_USER + 845; // 1869
// wParam of WM_TOOLWINDOW_CLOSED for the Track Options dialog; lParam the button (1 OK, 2 discard).
constexpr int TRACKOPTIONSDLG = 1050;

// Opens the dialog over the chart window, or, when it is open, asks the chart window to close it.
void OpenTrackOptions(HWND chartWindow);
// The chart window's answer to WM_TOOLWINDOW_CLOSED with TRACKOPTIONSDLG.
void CloseTrackOptions();

// Control identifiers.
enum TrackOptionsControl {
    IDC_DEPTH_SCALE = 3,
    IDC_CURRENT_VISIBLE = 4122,
    IDC_STOP_AT_EOF = 4123,
    IDC_CURRENT_SEDRIX = 4124,
    IDC_CURRENT_JOIN = 4125,
    IDC_PAST_VISIBLE = 4126,
    IDC_ERASE_ON_REPEAT = 4128,
    IDC_PAST_JOIN = 4209,
    IDC_OUTLINING = 4210,
    IDC_SAVE_EVERY = 4211,
    IDC_SAVE_EVERY_SCROLL = 4212,
    IDC_SHOW_ALL_TRACKS = 4213,
    IDC_CURRENT_BLACK = 4237,
    IDC_CURRENT_RED = 4238,
    IDC_CURRENT_GREEN = 4239,
    IDC_CURRENT_GREY = 4240,
    IDC_PAST_BLACK = 4241,
    IDC_PAST_RED = 4242,
    IDC_PAST_GREEN = 4243,
    IDC_PAST_GREY = 4244,
    IDC_CURRENT_PEN = 4245,
    IDC_PAST_PEN = 4246,
    IDC_CURRENT_PEN_SCROLL = 4247,
    IDC_PAST_PEN_SCROLL = 4248,
    IDC_DENSITY_SCROLL = 4249,
    IDC_DENSITY = 4250,
    IDC_CURRENT_DEPTH = 4254,
    IDC_PAST_SEDRIX = 4255,
    IDC_PAST_DEPTH = 4256,
    IDC_SAVE_EVERY_UNIT = 4288,
    IDC_SHOW_ALL_TRANSDUCERS = 4341,
    IDC_SHOW_MINUS3 = 4342, // "Show -3" ... "Show +3" follow in order
    IDC_SHOW_PLUS3 = 4348,
};

// The colour radio buttons of each track by colour choice code (0 black .. 5 depth).
inline constexpr int CURRENT_COLOUR_BUTTONS[6] = {IDC_CURRENT_BLACK, IDC_CURRENT_RED, IDC_CURRENT_GREEN,
                                                  IDC_CURRENT_GREY,  IDC_CURRENT_SEDRIX, IDC_CURRENT_DEPTH};
inline constexpr int PAST_COLOUR_BUTTONS[6] = {IDC_PAST_BLACK, IDC_PAST_RED,    IDC_PAST_GREEN,
                                               IDC_PAST_GREY,  IDC_PAST_SEDRIX, IDC_PAST_DEPTH};
