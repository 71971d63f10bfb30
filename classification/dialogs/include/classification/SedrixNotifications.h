// What the box editor's dialogs, the selection window and the analysis window tell the
// classification window (the box's ownerWindow); all posted unless stated.
#pragma once

#include "platform/windef.h"

constexpr UINT WM_SEDRIX_REFRESH = WM_USER + 430;        // after every box-file load
constexpr UINT WM_SEDRIX_SCALES_CHANGED = WM_USER + 431; // the ranges dialog's OK; lParam: the dialog
constexpr UINT WM_SEDRIX_DIALOG_CLOSED = WM_USER + 432;  // a modeless dialog is done with; lParam: the dialog
constexpr UINT WM_SEDRIX_CLASS_CHOSEN = WM_USER + 433;   // wParam: the class number
constexpr UINT WM_SEDRIX_TYPE_ENTERED = WM_USER + 434;   // lParam: const char* name (sent)
constexpr UINT WM_SEDRIX_ANALYSIS = WM_USER + 435;       // wParam: 0 stopped, 1 started, 2 repaint
