#include "declutter.h"

#include <algorithm>
#include <cmath>

namespace euro32 {

namespace {
constexpr double kCell = 32.0;
}

Declutter::Declutter(int width, int height)
    : columns_(std::max(1, static_cast<int>(std::ceil(width / kCell)))),
      rows_(std::max(1, static_cast<int>(std::ceil(height / kCell)))),
      cells_(static_cast<size_t>(columns_) * rows_)
{
}

template <typename Fn>
void Declutter::forCells(const QRectF& place, Fn fn)
{
    // Places beyond the view share the edge cells: they can still collide with what lies there.
    const int x0 = std::clamp(static_cast<int>(std::floor(place.left() / kCell)), 0, columns_ - 1);
    const int x1 = std::clamp(static_cast<int>(std::floor(place.right() / kCell)), 0, columns_ - 1);
    const int y0 = std::clamp(static_cast<int>(std::floor(place.top() / kCell)), 0, rows_ - 1);
    const int y1 = std::clamp(static_cast<int>(std::floor(place.bottom() / kCell)), 0, rows_ - 1);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (!fn(cells_[static_cast<size_t>(y) * columns_ + x]))
                return;
}

bool Declutter::take(const QRectF& place)
{
    bool free = true;
    forCells(place, [&](const std::vector<QRectF>& cell) {
        free = std::none_of(cell.begin(), cell.end(), [&](const QRectF& r) { return r.intersects(place); });
        return free;
    });
    if (free)
        reserve(place);
    return free;
}

void Declutter::reserve(const QRectF& place)
{
    forCells(place, [&](std::vector<QRectF>& cell) {
        cell.push_back(place);
        return true;
    });
}

} // namespace euro32
