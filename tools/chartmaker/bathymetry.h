// Turns a depth function into chart features: depth areas and land between the given depth
// levels, the coastline and the depth contours, traced on a regular grid with GDAL's contourer.
#pragma once

#include "s57cellwriter.h"

#include <functional>
#include <string>
#include <vector>

namespace chartmaker {

struct AreaBounds {
    double west;
    double south;
    double east;
    double north;
};

using DepthFunction = std::function<double(double lat, double lon)>;

// levels: ascending depth levels starting at 0 (the coastline), e.g. {0, 5, 10, 20, 50}.
bool addBathymetry(S57CellWriter& cell, const DepthFunction& depthAt, const AreaBounds& bounds,
                   const std::vector<double>& levels, int columns, int rows, std::string* error);

// The coverage of a cell: one M_COVR area over the bounds.
void addCoverage(S57CellWriter& cell, const AreaBounds& bounds);

} // namespace chartmaker
