// Draws a view of the charts into a QPainter: the world base map, the charts in S-52 style
// colours (depth areas shaded against the safety contour, land, contours, coastline, soundings,
// aids to navigation and dangers), the cells' coverage and a labelled latitude/longitude grid.
#pragma once

#include "chartdata.h"
#include "colours.h"
#include "projection.h"
#include "settings.h"

#include <QRectF>

#include <vector>

class QPainter;

namespace euro32 {

struct Scene {
    const ChartData* baseMap = nullptr;
    std::vector<const ChartData*> charts; // drawn in order, the last on top
    DisplaySettings settings;
    Scheme scheme = Scheme::Day;
    bool blank = false;     // no charts, no base map: a plain background with the grid
    bool catalogue = false; // the base map with the charts' coverage and names
};

void render(QPainter& painter, const View& view, const Scene& scene);

// Where the catalogue shows a chart in a view: the pixels of its extent, or a mark of
// kCatalogueMark pixels when the chart is smaller than that.
inline constexpr double kCatalogueMark = 9.0;
QRectF catalogueBox(const View& view, const ChartData& chart);

// The shade S-52 gives a depth area from its depth range and the three contours.
Colour depthShade(double drval1, double drval2, const DisplaySettings& s);

} // namespace euro32
