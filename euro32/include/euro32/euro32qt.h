// What the program's Qt side needs of the engine beyond the C interface: the MDI area that
// holds the chart windows, the widget of a chart window, and capturing a chart into an image.
#pragma once

#include "platform/windef.h"

#include <QImage>

#include <cstdint>
#include <vector>

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

// A chart window's view as it stands, for converting many positions without looking the
// window up for each one. It gives exactly the pixels EC_GeosToPixel gives while the view is
// unchanged.
struct ViewProjection {
    double centreLon;
    double centreY;
    double degPerPixel;
    int width;
    int height;
};
// False when the handle is no chart window.
bool viewProjection(HWND chartWindow, ViewProjection* projection);
// False where EC_GeosToPixel fails.
bool geosToPixel(const ViewProjection& projection, int32_t lon, int32_t lat, int* x, int* y);

// Many positions in one view: the pixels geosToPixel gives, at a fraction of its cost. The row
// of a latitude comes from a table of the latitudes where the window's rows begin, so only
// positions beyond the window work out the projection.
class ViewPixels {
public:
    explicit ViewPixels(const ViewProjection& projection);
    const ViewProjection& projection() const { return projection_; }
    bool toPixel(int32_t lon, int32_t lat, int* x, int* y) const;

private:
    bool tableRow(int32_t lat, int* row) const;

    ViewProjection projection_;
    int firstRow_ = 0;
    // rowStarts_[i]: the southernmost latitude whose row is firstRow_ + i - 1 or above; the
    // rows run down the window as the latitudes fall.
    std::vector<int32_t> rowStarts_;
    double rowsPerUnit_ = 0.0;
};
// True while a chart window shows the catalogue (it ends when a click opens a chart).
bool catalogueShown();

} // namespace euro32
