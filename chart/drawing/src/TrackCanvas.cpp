#include "TrackCanvas.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// The painter draws plainly: no transform, clip, opacity or composition beyond painting over.
QImage* PlainImage(QPainter& dc)
{
    QPaintDevice* device = dc.device();
    if (!device || device->devType() != QInternal::Image || !dc.transform().isIdentity() || dc.hasClipping() ||
        dc.opacity() != 1.0)
        return nullptr;
    auto* image = static_cast<QImage*>(device);
    const QImage::Format format = image->format();
    const bool fourBytes = format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
                           format == QImage::Format_ARGB32_Premultiplied;
    // A shared image would be copied by writing to it, away from what the painter paints.
    if (!fourBytes || !image->isDetached() || image->devicePixelRatio() != 1.0)
        return nullptr;
    return image;
}

} // namespace

TrackCanvas::TrackCanvas(QPainter& dc) : dc_(dc)
{
    dc_.save();
    dc_.setBrush(Qt::NoBrush);
    dc_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    dc_.setRenderHint(QPainter::Antialiasing, false);
    pen_ = dc_.pen();
    findPixels();
}

TrackCanvas::~TrackCanvas()
{
    flush();
    dc_.restore();
}

void TrackCanvas::findPixels()
{
    image_ = PlainImage(dc_);
    if (image_) {
        pixels_ = reinterpret_cast<uint32_t*>(image_->bits());
        stride_ = image_->bytesPerLine() / 4;
        width_ = image_->width();
        height_ = image_->height();
    }
    if (rasterisable(pen_) != direct_) {
        flush();
        usePen(pen_);
    }
}

bool TrackCanvas::rasterisable(const QPen& pen) const
{
    return image_ && pen.style() == Qt::SolidLine && pen.brush().style() == Qt::SolidPattern &&
           pen.color().alpha() == 255;
}

void TrackCanvas::selectPen(const QPen& pen)
{
    if (pen == pen_)
        return;
    flush();
    usePen(pen);
}

void TrackCanvas::usePen(const QPen& pen)
{
    pen_ = pen;
    direct_ = rasterisable(pen);
    if (!direct_)
        return;
    colour_ = pen.color().rgb() | 0xFF000000u;
    // The tip: every pixel whose centre lies within half the width of the centre (an even
    // width has its centre between pixels, right of and below the point).
    const int width = std::max(pen.width(), 1);
    const double radius = width / 2.0, centre = width % 2 ? 0.0 : 0.5;
    const int low = -(width - 1) / 2, high = width / 2;
    tip_.clear();
    reach_ = std::max(-low, high);
    for (int dy = low; dy <= high; ++dy) {
        int dx0 = high + 1, dx1 = low - 1;
        for (int dx = low; dx <= high; ++dx)
            if ((dx - centre) * (dx - centre) + (dy - centre) * (dy - centre) <= radius * radius + 1e-9) {
                dx0 = std::min(dx0, dx);
                dx1 = std::max(dx1, dx);
            }
        if (dx0 <= dx1)
            tip_.push_back({dy, dx0, dx1});
    }
}

void TrackCanvas::moveTo(POINT p)
{
    if (!direct_)
        flush();
    position_ = p;
}

void TrackCanvas::lineTo(POINT p)
{
    if (direct_) {
        rasterLine(position_, p);
    } else {
        if (line_.isEmpty())
            line_ << QPoint(position_.x, position_.y);
        line_ << QPoint(p.x, p.y);
    }
    position_ = p;
}

void TrackCanvas::dot(POINT p)
{
    const POINT end{p.x + 1, p.y + 1};
    if (direct_)
        rasterLine(p, end);
    else
        dots_ << QPoint(p.x, p.y) << QPoint(end.x, end.y);
    position_ = end;
}

void TrackCanvas::flush()
{
    if (line_.size() < 2 && dots_.isEmpty())
        return;
    dc_.setPen(pen_);
    if (line_.size() > 1)
        dc_.drawPolyline(line_);
    if (!dots_.isEmpty())
        dc_.drawLines(dots_.constData(), int(dots_.size() / 2));
    line_.clear();
    dots_.clear();
}

void TrackCanvas::stamp(int x, int y)
{
    const bool inside = x >= reach_ && y >= reach_ && x < width_ - reach_ && y < height_ - reach_;
    for (const TipRow& row : tip_) {
        const int yy = y + row.dy;
        int x0 = x + row.dx0, x1 = x + row.dx1;
        if (!inside) {
            if (yy < 0 || yy >= height_)
                continue;
            x0 = std::max(x0, 0);
            x1 = std::min(x1, width_ - 1);
        }
        uint32_t* line = pixels_ + ptrdiff_t(yy) * stride_;
        for (int xx = x0; xx <= x1; ++xx)
            line[xx] = colour_;
    }
}

void TrackCanvas::rasterLine(POINT from, POINT to)
{
    int ax = from.x, ay = from.y, bx = to.x, by = to.y;
    auto within = [this](POINT p) {
        return p.x >= -reach_ && p.y >= -reach_ && p.x < width_ + reach_ && p.y < height_ + reach_;
    };
    // Track points lie in the window; an end far outside (a line leaving the window) is clipped
    // so that only the part within the tip's reach of the image is walked.
    if (!within(from) || !within(to)) {
        const double left = -reach_, top = -reach_;
        const double right = width_ - 1 + reach_, bottom = height_ - 1 + reach_;
        const double x0 = from.x, y0 = from.y;
        const double dx = double(to.x) - from.x, dy = double(to.y) - from.y;
        double t0 = 0.0, t1 = 1.0;
        const double p[4] = {-dx, dx, -dy, dy};
        const double q[4] = {x0 - left, right - x0, y0 - top, bottom - y0};
        for (int i = 0; i < 4; ++i) {
            if (p[i] == 0.0) {
                if (q[i] < 0.0)
                    return;
                continue;
            }
            const double t = q[i] / p[i];
            if (p[i] < 0.0)
                t0 = std::max(t0, t);
            else
                t1 = std::min(t1, t);
        }
        if (t0 > t1)
            return;
        ax = int(std::lround(x0 + t0 * dx));
        ay = int(std::lround(y0 + t0 * dy));
        bx = int(std::lround(x0 + t1 * dx));
        by = int(std::lround(y0 + t1 * dy));
    }
    // Bresenham, the tip at every pixel of the line.
    const int sx = ax < bx ? 1 : -1, sy = ay < by ? 1 : -1;
    const int ex = std::abs(bx - ax), ey = -std::abs(by - ay);
    int error = ex + ey;
    for (;;) {
        stamp(ax, ay);
        if (ax == bx && ay == by)
            break;
        const int twice = 2 * error;
        if (twice >= ey) {
            error += ey;
            ax += sx;
        }
        if (twice <= ex) {
            error += ex;
            ay += sy;
        }
    }
}
