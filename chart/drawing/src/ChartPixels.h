// Positions and pixels of the engine's chart window as its view stands: the window is looked
// up once, and every conversion after that costs only the projection.
#pragma once

#include "euro32/euro32qt.h"
#include "platform/windef.h"

#include <cstdint>
#include <memory>

class ChartPixels {
public:
    explicit ChartPixels(HWND engineWindow);
    // False when the engine window is no chart window: nothing can be placed.
    bool valid() const { return valid_; }
    const RECT& client() const { return client_; }

    bool toPixel(int32_t lon, int32_t lat, POINT* pixel) const
    {
        return valid_ && view_->toPixel(lon, lat, &pixel->x, &pixel->y);
    }
    // The corners of an area of the window (the client area, inset...) as west, north, east,
    // south.
    bool geoRect(const RECT& area, RECT* geo) const;

private:
    HWND window_;
    bool valid_ = false;
    RECT client_{0, 0, 0, 0};
    // Shared by every conversion while the view stays as it is; kept alive here should the
    // view change during a drawing that gives events a turn.
    std::shared_ptr<const euro32::ViewPixels> view_;
};

inline bool PixelInside(const RECT& area, POINT p)
{
    return p.x >= area.left && p.x < area.right && p.y >= area.top && p.y < area.bottom;
}

// West, north, east, south rectangles; west beyond east crosses the 180 degree meridian.
bool GeoInside(const RECT& geo, int32_t lon, int32_t lat);
// Whether two such rectangles share any point.
bool GeoRectsMeet(const RECT& a, const RECT& b);
