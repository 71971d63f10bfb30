#include "bathymetry.h"

#include <gdal_alg.h>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <sstream>

namespace chartmaker {

namespace {

std::string number(double v)
{
    std::ostringstream s;
    s << v;
    return s.str();
}

std::unique_ptr<GDALDataset> depthGrid(const DepthFunction& depthAt, const AreaBounds& b,
                                       int columns, int rows, double* deepest)
{
    GDALDriver* mem = GetGDALDriverManager()->GetDriverByName("MEM");
    std::unique_ptr<GDALDataset> grid(mem->Create("", columns, rows, 1, GDT_Float64, nullptr));
    const double dx = (b.east - b.west) / columns;
    const double dy = (b.north - b.south) / rows;
    double transform[6] = {b.west, dx, 0.0, b.north, 0.0, -dy};
    grid->SetGeoTransform(transform);
    std::vector<double> values(static_cast<size_t>(columns) * rows);
    *deepest = 0.0;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            const double d = depthAt(b.north - (r + 0.5) * dy, b.west + (c + 0.5) * dx);
            values[static_cast<size_t>(r) * columns + c] = d;
            *deepest = std::max(*deepest, d);
        }
    if (grid->GetRasterBand(1)->RasterIO(GF_Write, 0, 0, columns, rows, values.data(), columns,
                                         rows, GDT_Float64, 0, 0) != CE_None)
        return nullptr;
    return grid;
}

Ring ringOf(const OGRLinearRing& r)
{
    Ring ring;
    for (int i = 0; i < r.getNumPoints(); ++i)
        ring.push_back({r.getX(i), r.getY(i)});
    return ring;
}

std::vector<const OGRPolygon*> polygonsOf(const OGRGeometry* g)
{
    std::vector<const OGRPolygon*> out;
    if (!g)
        return out;
    if (wkbFlatten(g->getGeometryType()) == wkbPolygon)
        out.push_back(g->toPolygon());
    else if (wkbFlatten(g->getGeometryType()) == wkbMultiPolygon)
        for (const OGRPolygon* p : *g->toMultiPolygon())
            out.push_back(p);
    return out;
}

std::vector<const OGRLineString*> linesOf(const OGRGeometry* g)
{
    std::vector<const OGRLineString*> out;
    if (!g)
        return out;
    if (wkbFlatten(g->getGeometryType()) == wkbLineString)
        out.push_back(g->toLineString());
    else if (wkbFlatten(g->getGeometryType()) == wkbMultiLineString)
        for (const OGRLineString* l : *g->toMultiLineString())
            out.push_back(l);
    return out;
}

// Runs the contourer into a fresh in-memory layer with fields ID, MIN, MAX (or ELEV).
OGRLayer* contour(GDALDataset& grid, GDALDataset& out, const char* name, bool polygons,
                  const std::vector<double>& levels)
{
    OGRLayer* layer = out.CreateLayer(name, nullptr, polygons ? wkbMultiPolygon : wkbLineString);
    OGRFieldDefn id("ID", OFTInteger);
    layer->CreateField(&id);
    std::string fixed = "FIXED_LEVELS=";
    for (size_t i = 0; i < levels.size(); ++i)
        fixed += (i ? "," : "") + number(levels[i]);
    CPLStringList options;
    options.AddString(fixed.c_str());
    options.AddString("ID_FIELD=0");
    if (polygons) {
        OGRFieldDefn lo("MIN", OFTReal), hi("MAX", OFTReal);
        layer->CreateField(&lo);
        layer->CreateField(&hi);
        options.AddString("ELEV_FIELD_MIN=1");
        options.AddString("ELEV_FIELD_MAX=2");
        options.AddString("POLYGONIZE=YES");
    } else {
        OGRFieldDefn elev("ELEV", OFTReal);
        layer->CreateField(&elev);
        options.AddString("ELEV_FIELD=1");
    }
    if (GDALContourGenerateEx(grid.GetRasterBand(1), OGRLayer::ToHandle(layer), options.List(),
                              nullptr, nullptr) != CE_None)
        return nullptr;
    return layer;
}

} // namespace

bool addBathymetry(S57CellWriter& cell, const DepthFunction& depthAt, const AreaBounds& bounds,
                   const std::vector<double>& levels, int columns, int rows, std::string* error)
{
    GDALAllRegister();
    double deepest = 0.0;
    auto grid = depthGrid(depthAt, bounds, columns, rows, &deepest);
    std::unique_ptr<GDALDataset> out(GetGDALDriverManager()->GetDriverByName("Memory")->Create(
        "", 0, 0, 0, GDT_Unknown, nullptr));
    OGRLayer* bands = grid && out ? contour(*grid, *out, "bands", true, levels) : nullptr;
    OGRLayer* lines = bands ? contour(*grid, *out, "lines", false, levels) : nullptr;
    if (!lines) {
        if (error)
            *error = std::string("contouring failed: ") + CPLGetLastErrorMsg();
        return false;
    }

    for (auto& f : *bands) {
        const double low = f->GetFieldAsDouble("MIN");
        const double high = f->GetFieldAsDouble("MAX");
        const bool land = high <= levels.front();
        for (const OGRPolygon* p : polygonsOf(f->GetGeometryRef())) {
            std::vector<Ring> rings{ringOf(*p->getExteriorRing())};
            for (int i = 0; i < p->getNumInteriorRings(); ++i)
                rings.push_back(ringOf(*p->getInteriorRing(i)));
            if (land) {
                cell.addArea("LNDARE", std::move(rings));
            } else {
                // The deepest band is open-ended in the contourer; close it at the deepest depth.
                const double drval2 = high > deepest ? std::ceil(deepest) : high;
                cell.addArea("DEPARE", std::move(rings),
                             {{"DRVAL1", number(low)}, {"DRVAL2", number(drval2)}});
            }
        }
    }
    for (auto& f : *lines) {
        const double level = f->GetFieldAsDouble("ELEV");
        for (const OGRLineString* l : linesOf(f->GetGeometryRef())) {
            Polyline line;
            for (int i = 0; i < l->getNumPoints(); ++i)
                line.push_back({l->getX(i), l->getY(i)});
            if (level <= levels.front())
                cell.addLine("COALNE", std::move(line));
            else
                cell.addLine("DEPCNT", std::move(line), {{"VALDCO", number(level)}});
        }
    }
    return true;
}

void addCoverage(S57CellWriter& cell, const AreaBounds& b)
{
    cell.addArea("M_COVR",
                 {{{b.west, b.south}, {b.west, b.north}, {b.east, b.north}, {b.east, b.south}}},
                 {{"CATCOV", "1"}});
}

} // namespace chartmaker
