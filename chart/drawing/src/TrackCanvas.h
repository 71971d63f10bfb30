// Draws tracks with the pen sets as a line-drawing device does: a current position that lines
// start from, and a pen selected until the next one. Tracks are many short segments of solid
// opaque pens, which a general-purpose stroker draws slowly: on a plain image with nothing
// unusual set in the painter, segments are rasterised straight into the image's pixels (each
// point of the line covered by the pen's round tip). Otherwise connected segments of one pen go
// to the painter as polylines.
#pragma once

#include "platform/windef.h"

#include <QPen>
#include <QPoint>
#include <QPolygon>

#include <cstddef>
#include <cstdint>
#include <vector>

class QImage;
class QPainter;

class TrackCanvas {
public:
    explicit TrackCanvas(QPainter& dc);
    ~TrackCanvas();
    TrackCanvas(const TrackCanvas&) = delete;
    TrackCanvas& operator=(const TrackCanvas&) = delete;

    void selectPen(const QPen& pen);
    void moveTo(POINT p);
    void lineTo(POINT p);
    // A one-pixel line from the point to (x+1, y+1): the pen's tip at the point.
    void dot(POINT p);
    // Events that had a turn may have given the image new pixels: find them again.
    void findPixels();

private:
    // One row of the pen's round tip, relative to its centre.
    struct TipRow {
        int dy, dx0, dx1;
    };

    void flush();
    void usePen(const QPen& pen);
    bool rasterisable(const QPen& pen) const;
    void rasterLine(POINT from, POINT to);
    void stamp(int x, int y);

    QPainter& dc_;
    QPen pen_;
    POINT position_{0, 0};
    // The painter's way: polylines and dot pairs gathered for the current pen.
    QPolygon line_;
    QPolygon dots_;
    // The direct way: the image's pixels while the painter draws nothing unusual.
    QImage* image_ = nullptr;
    uint32_t* pixels_ = nullptr;
    ptrdiff_t stride_ = 0; // pixels from one row to the next
    int width_ = 0;
    int height_ = 0;
    bool direct_ = false; // the current pen is rasterised directly
    uint32_t colour_ = 0;
    int reach_ = 0; // how far the tip reaches from its centre
    std::vector<TipRow> tip_;
};
