// Keeps the figures, symbols and labels of one rendered view from printing over each other: a
// place is given only while it is free, so what is placed first wins.
#pragma once

#include <QRectF>

#include <vector>

namespace euro32 {

class Declutter {
public:
    Declutter(int width, int height);

    // Reserves the place and returns true when nothing placed before overlaps it.
    bool take(const QRectF& place);
    // Reserves the place whatever lies there already.
    void reserve(const QRectF& place);

private:
    template <typename Fn>
    void forCells(const QRectF& place, Fn fn);

    int columns_;
    int rows_;
    std::vector<std::vector<QRectF>> cells_; // the places overlapping each grid cell
};

} // namespace euro32
