// The depth window's own record, shared by the window, its plot and the Depth Ranges dialog.
// The units, limits and autoscale are the program's depth display settings (depthDisplay).
#pragma once

#include "trackwin/DepthProfile.h"

#include "platform/windef.h"

#include <QPointer>

#include <string>

class DepthRangesDialog;

struct DepthWindowRecord {
    HWND window = nullptr;
    HWND plot = nullptr;
    int plotWidth = 0;
    int plotHeight = 0;
    float scale = 1.0f; // pixels per display unit
    DepthHistory history;
    std::string depthText;
    std::string seabedText;
    bool scrollPending = false;
    // The tick right of the plot at the centre transducer's depth; markerY < 0: none yet.
    int markerY = -1;
    int markerColour = 0;
    // Owned by the depth window's widget too, so it may go with it first.
    QPointer<DepthRangesDialog> ranges;
};
extern DepthWindowRecord depthWindow;

void ComputeDepthScale();
// Redraws the plot and the window's value area.
void RedrawDepthWindow();

// The plot child ("DepthProfileWnd") under the depth window.
HWND CreateDepthPlot(HWND depthWindow, RECT rect);

// The Depth Ranges dialog: opens it (or brings it forward); closing it unanswered asks whether
// to keep the changes.
void OpenDepthRangesDialog(HWND depthWindowHandle);
void CloseDepthRangesDialog();
