// Charts held in memory for drawing: S-57 cells (with their update files applied) sorted into the
// kinds of feature the renderer draws, or any other OGR vector file as plain features.
// Free of Qt and of the platform layer so that the fuzz target can build it alone.
#pragma once

#include "geo.h"

#include <memory>
#include <string>
#include <vector>

namespace euro32 {

enum class FeatureKind {
    Coverage,     // M_COVR
    DepthArea,    // DEPARE
    DredgedArea,  // DRGARE
    Land,         // LNDARE
    Contour,      // DEPCNT
    Coastline,    // COALNE
    Shoreline,    // SLCONS
    Sounding,     // SOUNDG, one feature per sounding
    Buoy,         // BOY*
    Beacon,       // BCN*
    Light,        // LIGHTS
    Wreck,        // WRECKS
    Obstruction,  // OBSTRN
    Rock,         // UWTROC
    Plain,        // anything from a non-S-57 file
};

enum class Shape { Point, Line, Area };

struct ChartFeature {
    FeatureKind kind = FeatureKind::Plain;
    Shape shape = Shape::Point;
    std::vector<std::vector<GeoPoint>> parts; // rings of an area, lines, or one point
    GeoBox box{0, 0, 0, 0};
    double value1 = 0.0; // DRVAL1, VALDCO, sounding depth
    double value2 = 0.0; // DRVAL2
    std::vector<int> colours; // S-57 COLOUR codes of aids and lights, top to bottom
    int category = 0;         // CATCAM of cardinal marks, CATLAM of lateral ones
    int aidShape = 0;         // BOYSHP or BCNSHP, 0 when not given
    bool cardinal = false;    // BOYCAR, BCNCAR
    std::string name;    // OBJNAM
};

struct ChartData {
    std::string path;
    std::string name;  // the cell name or file stem: the chart's title
    bool nautical = false;
    GeoBox extent{0, 0, 0, 0}; // east above west, past 180 for a chart across the meridian
    int compilationScale = 0;
    std::vector<ChartFeature> features;
};

struct LoadResult {
    std::shared_ptr<ChartData> chart; // null on failure
    std::string error;                // why, for the message shown to the user
};

// Reads a chart file (a GDAL path: host file or /vsimem/). Never throws; a damaged file gives a
// null chart and a reason.
LoadResult loadChart(const std::string& path);

} // namespace euro32
