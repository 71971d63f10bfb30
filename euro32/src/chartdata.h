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
    Contour,      // DEPCNT, and DEPARE edges
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
    FeatureKind kind;
    Shape shape;
    std::vector<std::vector<GeoPoint>> parts; // rings of an area, lines, or one point
    GeoBox box;
    double value1 = 0.0; // DRVAL1, VALDCO, sounding depth
    double value2 = 0.0; // DRVAL2
    int colour = 0;      // first S-57 COLOUR code of aids, 0 when none
    int category = 0;    // CATLAM, CATCAM... of aids
    std::string name;    // OBJNAM
};

struct ChartData {
    std::string path;
    std::string name;  // the cell name or file stem: the chart's title
    bool nautical = false;
    GeoBox extent{0, 0, 0, 0};
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
