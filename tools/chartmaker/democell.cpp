#include "democell.h"

#include "bathymetry.h"
#include "seabed/seabedmodel.h"

#include <cmath>
#include <cstdio>

namespace chartmaker {

namespace {

LonLat at(double eastKm, double northKm)
{
    const seabed::LatLon p = seabed::fromLocalKm({eastKm, northKm});
    return {p.lon, p.lat};
}

std::string oneDecimal(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", v);
    return text;
}

// Soundings every 250 m, nudged off the grid so they do not line up like a raster.
void addSoundings(S57CellWriter& cell)
{
    std::vector<Sounding> soundings;
    for (double north = -1.4; north <= 1.4; north += 0.25)
        for (double east = -1.9; east <= 1.9; east += 0.25) {
            const double e = east + 0.06 * std::sin(north * 7.0);
            const double n = north + 0.05 * std::cos(east * 5.0);
            const LonLat p = at(e, n);
            const double depth = std::round(seabed::depthAt(p.lat, p.lon) * 10.0) / 10.0;
            if (depth > 0.2)
                soundings.push_back({p.lon, p.lat, depth});
        }
    cell.addSoundings(std::move(soundings));
}

void addAidsAndDangers(S57CellWriter& cell)
{
    // Cardinal pillar buoys north and south of the shoal.
    cell.addPoint("BOYCAR", at(-0.1, -0.4), {{"CATCAM", "1"}, {"BOYSHP", "4"}, {"COLOUR", "2,6"},
                                             {"OBJNAM", "Shoal N"}});
    cell.addPoint("BOYCAR", at(-0.1, -1.2), {{"CATCAM", "3"}, {"BOYSHP", "4"}, {"COLOUR", "6,2"},
                                             {"OBJNAM", "Shoal S"}});
    // Lateral buoys leading in north of the island towards the harbour.
    const double channel[][2] = {{-1.6, 1.05}, {-0.6, 1.05}, {0.4, 1.05}};
    for (const auto& c : channel) {
        cell.addPoint("BOYLAT", at(c[0], c[1] + 0.12),
                      {{"CATLAM", "1"}, {"BOYSHP", "2"}, {"COLOUR", "3"}});
        cell.addPoint("BOYLAT", at(c[0], c[1] - 0.12),
                      {{"CATLAM", "2"}, {"BOYSHP", "1"}, {"COLOUR", "4"}});
    }
    cell.addPoint("BCNSPP", at(1.0, -0.3), {{"BCNSHP", "1"}, {"COLOUR", "6"}});
    cell.addPoint("LIGHTS", at(-1.0, 0.4),
                  {{"COLOUR", "1"}, {"LITCHR", "2"}, {"SIGPER", "5"}, {"VALNMR", "10"}});
    // The harbour pier and the light at its head.
    cell.addLine("SLCONS", {at(1.2, -1.0), at(0.85, -1.0)}, {{"CATSLC", "4"}});
    cell.addPoint("LIGHTS", at(0.85, -1.0), {{"COLOUR", "3"}, {"LITCHR", "2"}, {"SIGPER", "3"}});
    const LonLat wreck = at(-1.5, -0.6);
    cell.addPoint("WRECKS", wreck,
                  {{"CATWRK", "2"}, {"VALSOU", oneDecimal(seabed::depthAt(wreck.lat, wreck.lon) - 6.0)}});
    cell.addPoint("UWTROC", at(-0.5, 0.2), {{"WATLEV", "3"}});
    cell.addPoint("OBSTRN", at(0.3, 0.6), {{"CATOBS", "1"}, {"WATLEV", "3"}});
}

} // namespace

bool buildDemoCell(S57CellWriter& cell, std::string* error)
{
    const AreaBounds bounds{seabed::kWest, seabed::kSouth, seabed::kEast, seabed::kNorth};
    addCoverage(cell, bounds);
    if (!addBathymetry(cell, seabed::depthAt, bounds, {0.0, 5.0, 10.0, 20.0, 50.0}, 200, 150, error))
        return false;
    addSoundings(cell);
    addAidsAndDangers(cell);
    return true;
}

} // namespace chartmaker
