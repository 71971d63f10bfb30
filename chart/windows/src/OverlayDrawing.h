// The overlays of the active database over the chart: symbols, lines and polygons, texts and
// routes, the active route marked.
#pragma once

#include "platform/windef.h"

class QPainter;

void DrawOverlays(HWND engineWindow, QPainter& dc);
