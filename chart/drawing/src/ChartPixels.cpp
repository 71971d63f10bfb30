#include "ChartPixels.h"

#include "euro32/euro32.h"
#include "platform/winuser.h"

namespace {

bool SameView(const euro32::ViewProjection& a, const euro32::ViewProjection& b)
{
    return a.centreLon == b.centreLon && a.centreY == b.centreY && a.degPerPixel == b.degPerPixel &&
           a.width == b.width && a.height == b.height;
}

// The view of the last conversions: a redraw draws every track in one view, so its table is
// made once.
std::shared_ptr<const euro32::ViewPixels> ViewPixelsFor(const euro32::ViewProjection& projection)
{
    static std::shared_ptr<const euro32::ViewPixels> last;
    if (!last || !SameView(last->projection(), projection))
        last = std::make_shared<const euro32::ViewPixels>(projection);
    return last;
}

} // namespace

ChartPixels::ChartPixels(HWND engineWindow) : window_(engineWindow)
{
    euro32::ViewProjection projection;
    valid_ = euro32::viewProjection(engineWindow, &projection) && GetClientRect(engineWindow, &client_);
    if (valid_)
        view_ = ViewPixelsFor(projection);
}

bool ChartPixels::geoRect(const RECT& area, RECT* geo) const
{
    return valid_ && EC_PixelToGeos(area.left, area.top, &geo->left, &geo->top, window_) > 0 &&
           EC_PixelToGeos(area.right, area.bottom, &geo->right, &geo->bottom, window_) > 0;
}

bool GeoInside(const RECT& geo, int32_t lon, int32_t lat)
{
    if (lat < geo.bottom || lat > geo.top)
        return false;
    if (geo.left <= geo.right)
        return lon >= geo.left && lon <= geo.right;
    return lon >= geo.left || lon <= geo.right;
}

bool GeoRectsMeet(const RECT& a, const RECT& b)
{
    if (a.bottom > b.top || b.bottom > a.top)
        return false;
    auto spans = [](const RECT& r, int32_t lon) {
        return GeoInside(RECT{r.left, 900000000, r.right, -900000000}, lon, 0);
    };
    return spans(a, b.left) || spans(a, b.right) || spans(b, a.left) || spans(b, a.right);
}
