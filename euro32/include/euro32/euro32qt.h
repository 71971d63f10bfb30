// What the program's Qt side needs of the engine beyond the C interface: the MDI area that
// holds the chart windows, the widget of a chart window, and capturing a chart into an image.
#pragma once

#include "platform/windef.h"

#include <QImage>

class QMdiArea;
class QWidget;

namespace euro32 {

// The MDI area of the chart windows (created by the engine when the program has none).
QMdiArea* mdiArea();
// Lets the engine use the program's own MDI area for the MDI client handle it is given.
void useMdiArea(QMdiArea* area);
QWidget* chartWidget(HWND chartWindow);
// Renders the chart window's current view into an image of its client size.
QImage captureChart(HWND chartWindow);

} // namespace euro32
