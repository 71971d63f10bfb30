#include "chartdata.h"

#include <cpl_error.h>
#include <gdal_priv.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <map>
#include <mutex>

namespace euro32 {

namespace {

struct ErrorCollector {
    std::string first;
    static void CPL_STDCALL handler(CPLErr level, CPLErrorNum, const char* msg)
    {
        auto* self = static_cast<ErrorCollector*>(CPLGetErrorHandlerUserData());
        if (level >= CE_Failure && self->first.empty())
            self->first = msg ? msg : "unknown error";
    }
};

// Collects GDAL's failures for the time of one load, on this thread only.
class QuietErrors {
public:
    QuietErrors() { CPLPushErrorHandlerEx(&ErrorCollector::handler, &collector_); }
    ~QuietErrors() { CPLPopErrorHandler(); }
    const std::string& first() const { return collector_.first; }

private:
    ErrorCollector collector_;
};

const std::map<std::string, FeatureKind>& s57Kinds()
{
    static const std::map<std::string, FeatureKind> kinds = {
        {"M_COVR", FeatureKind::Coverage}, {"DEPARE", FeatureKind::DepthArea},
        {"DRGARE", FeatureKind::DredgedArea}, {"LNDARE", FeatureKind::Land},
        {"DEPCNT", FeatureKind::Contour}, {"COALNE", FeatureKind::Coastline},
        {"SLCONS", FeatureKind::Shoreline}, {"SOUNDG", FeatureKind::Sounding},
        {"BOYCAR", FeatureKind::Buoy}, {"BOYINB", FeatureKind::Buoy},
        {"BOYISD", FeatureKind::Buoy}, {"BOYLAT", FeatureKind::Buoy},
        {"BOYSAW", FeatureKind::Buoy}, {"BOYSPP", FeatureKind::Buoy},
        {"BCNCAR", FeatureKind::Beacon}, {"BCNISD", FeatureKind::Beacon},
        {"BCNLAT", FeatureKind::Beacon}, {"BCNSAW", FeatureKind::Beacon},
        {"BCNSPP", FeatureKind::Beacon}, {"LIGHTS", FeatureKind::Light},
        {"WRECKS", FeatureKind::Wreck}, {"OBSTRN", FeatureKind::Obstruction},
        {"UWTROC", FeatureKind::Rock},
    };
    return kinds;
}

void grow(GeoBox& box, const GeoPoint& p)
{
    box.west = std::min(box.west, p.lon);
    box.east = std::max(box.east, p.lon);
    box.south = std::min(box.south, p.lat);
    box.north = std::max(box.north, p.lat);
}

constexpr GeoBox kEmptyBox{std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
                           -std::numeric_limits<double>::max(),
                           -std::numeric_limits<double>::max()};

// Longitudes are made continuous along a line or ring: a step across the 180 degree meridian
// continues past 180 (or below -180) instead of jumping a whole turn, so boxes and drawing
// follow the shape.
std::vector<GeoPoint> pointsOf(const OGRSimpleCurve& curve)
{
    std::vector<GeoPoint> pts;
    pts.reserve(curve.getNumPoints());
    for (int i = 0; i < curve.getNumPoints(); ++i) {
        double lon = curve.getX(i);
        if (!pts.empty())
            lon = pts.back().lon + std::remainder(lon - pts.back().lon, 360.0);
        pts.push_back({lon, curve.getY(i)});
    }
    return pts;
}

// Flattens any geometry into the parts of one feature, or several for multipoints (each
// sounding is its own feature so it carries its own depth).
void addGeometry(const OGRGeometry* g, ChartFeature& f, std::vector<ChartFeature>& out)
{
    if (!g || g->IsEmpty())
        return;
    switch (wkbFlatten(g->getGeometryType())) {
    case wkbPoint: {
        const OGRPoint* p = g->toPoint();
        ChartFeature point = f;
        point.shape = Shape::Point;
        point.parts = {{{p->getX(), p->getY()}}};
        if (point.kind == FeatureKind::Sounding && p->Is3D())
            point.value1 = p->getZ();
        out.push_back(std::move(point));
        return;
    }
    case wkbLineString:
        f.shape = Shape::Line;
        f.parts.push_back(pointsOf(*g->toLineString()));
        return;
    case wkbPolygon:
        f.shape = Shape::Area;
        for (const OGRLinearRing* ring : *g->toPolygon())
            f.parts.push_back(pointsOf(*ring));
        return;
    case wkbMultiPoint:
    case wkbMultiLineString:
    case wkbMultiPolygon:
    case wkbGeometryCollection:
        for (const OGRGeometry* part : *g->toGeometryCollection())
            addGeometry(part, f, out);
        return;
    default:
        return; // curves and surfaces do not occur in charts
    }
}

std::vector<int> codeList(const OGRFeature& f, const char* field)
{
    std::vector<int> codes;
    const int index = f.GetFieldIndex(field);
    if (index < 0 || !f.IsFieldSetAndNotNull(index))
        return codes;
    if (f.GetFieldDefnRef(index)->GetType() == OFTStringList) {
        for (char** item = f.GetFieldAsStringList(index); item && *item; ++item)
            codes.push_back(std::atoi(*item));
    } else {
        codes.push_back(f.GetFieldAsInteger(index));
    }
    return codes;
}

int firstCode(const OGRFeature& f, const char* field)
{
    const std::vector<int> codes = codeList(f, field);
    return codes.empty() ? 0 : codes.front();
}

double realField(const OGRFeature& f, const char* field, double fallback)
{
    const int index = f.GetFieldIndex(field);
    return index >= 0 && f.IsFieldSetAndNotNull(index) ? f.GetFieldAsDouble(index) : fallback;
}

ChartFeature describe(const OGRFeature& src, FeatureKind kind, const std::string& objectClass)
{
    ChartFeature f;
    f.kind = kind;
    f.box = kEmptyBox;
    switch (kind) {
    case FeatureKind::DepthArea:
    case FeatureKind::DredgedArea:
        f.value1 = realField(src, "DRVAL1", 0.0);
        f.value2 = realField(src, "DRVAL2", f.value1);
        break;
    case FeatureKind::Contour:
        f.value1 = realField(src, "VALDCO", 0.0);
        break;
    case FeatureKind::Wreck:
    case FeatureKind::Obstruction:
    case FeatureKind::Rock:
        f.value1 = realField(src, "VALSOU", -1.0);
        break;
    default:
        break;
    }
    f.colours = codeList(src, "COLOUR");
    f.cardinal = objectClass == "BOYCAR" || objectClass == "BCNCAR";
    f.category = firstCode(src, f.cardinal ? "CATCAM" : "CATLAM");
    f.aidShape = firstCode(src, kind == FeatureKind::Beacon ? "BCNSHP" : "BOYSHP");
    const int nameIndex = src.GetFieldIndex("OBJNAM");
    if (nameIndex >= 0 && src.IsFieldSetAndNotNull(nameIndex))
        f.name = src.GetFieldAsString(nameIndex);
    return f;
}

// Layers in other coordinate systems are brought to longitude and latitude on WGS 84.
std::unique_ptr<OGRCoordinateTransformation> toWgs84(OGRLayer& layer)
{
    const OGRSpatialReference* source = layer.GetSpatialRef();
    if (!source)
        return nullptr;
    OGRSpatialReference wgs84;
    wgs84.importFromEPSG(4326);
    wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    if (source->IsGeographic() && source->IsSameGeogCS(&wgs84))
        return nullptr;
    return std::unique_ptr<OGRCoordinateTransformation>(
        OGRCreateCoordinateTransformation(source, &wgs84));
}

// Positions beyond the earth (a damaged file, or a projected layer that does not say so) have
// nowhere to be drawn.
bool onTheEarth(const OGRGeometry& g)
{
    OGREnvelope e;
    g.getEnvelope(&e);
    return std::isfinite(e.MinX) && std::isfinite(e.MaxX) && std::isfinite(e.MinY) &&
           std::isfinite(e.MaxY) && e.MinX >= -360.0 && e.MaxX <= 360.0 && e.MinY >= -90.0 &&
           e.MaxY <= 90.0;
}

// Returns the number of features left out for positions beyond the earth.
int readLayer(OGRLayer& layer, FeatureKind kind, ChartData& chart)
{
    int outside = 0;
    layer.ResetReading();
    const auto transform = kind == FeatureKind::Plain ? toWgs84(layer) : nullptr;
    const std::string objectClass = layer.GetName();
    for (auto& src : layer) {
        ChartFeature f = describe(*src, kind, objectClass);
        std::vector<ChartFeature> made;
        OGRGeometry* geometry = src->GetGeometryRef();
        if (transform && geometry && geometry->transform(transform.get()) != OGRERR_NONE)
            continue; // outside what the projection can map
        if (geometry && !geometry->IsEmpty() && !onTheEarth(*geometry)) {
            ++outside;
            continue;
        }
        addGeometry(geometry, f, made);
        if (!f.parts.empty())
            made.push_back(std::move(f));
        for (ChartFeature& m : made) {
            for (const auto& part : m.parts)
                for (const GeoPoint& p : part)
                    grow(m.box, p);
            chart.features.push_back(std::move(m));
        }
    }
    return outside;
}

// Feature boxes are each continuous but may lie a whole turn apart across the meridian: each
// joins the extent on the side of the first where it is nearest.
GeoBox extentOf(const std::vector<ChartFeature>& features)
{
    GeoBox extent = kEmptyBox;
    const GeoBox& first = features.front().box;
    const double reference = (first.west + first.east) / 2.0;
    for (const ChartFeature& f : features) {
        const double offset = (f.box.west + f.box.east) / 2.0 - reference;
        const double shift = std::remainder(offset, 360.0) - offset;
        extent.west = std::min(extent.west, f.box.west + shift);
        extent.east = std::max(extent.east, f.box.east + shift);
        extent.south = std::min(extent.south, f.box.south);
        extent.north = std::max(extent.north, f.box.north);
    }
    if (extent.west < -180.0 || extent.west >= 180.0) { // west kept in -180..180, east above it
        const double turns = std::floor((extent.west + 180.0) / 360.0) * 360.0;
        extent.west -= turns;
        extent.east -= turns;
    }
    return extent;
}

void readCellInfo(GDALDataset& ds, ChartData& chart)
{
    OGRLayer* dsid = ds.GetLayerByName("DSID");
    if (!dsid)
        return;
    dsid->ResetReading();
    std::unique_ptr<OGRFeature> f(dsid->GetNextFeature());
    if (!f)
        return;
    const std::string name = f->GetFieldAsString("DSID_DSNM");
    if (!name.empty())
        chart.name = name.substr(0, name.find('.'));
    chart.compilationScale = f->GetFieldAsInteger("DSPM_CSCL");
}

} // namespace

LoadResult loadChart(const std::string& path)
{
    static std::once_flag registered;
    std::call_once(registered, [] { GDALAllRegister(); });

    LoadResult result;
    QuietErrors errors;
    const char* s57Options[] = {"RETURN_PRIMITIVES=OFF", "SPLIT_MULTIPOINT=ON",
                                "ADD_SOUNDG_DEPTH=ON",   "UPDATES=APPLY",
                                "RETURN_LINKAGES=OFF",   "LNAM_REFS=OFF",
                                nullptr};
    // S-57 open options are unknown to other drivers, so offer them to S-57 only first.
    const char* s57Only[] = {"S57", nullptr};
    std::unique_ptr<GDALDataset> ds(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY,
                                                      s57Only, s57Options, nullptr));
    const bool nautical = ds != nullptr;
    if (!ds)
        ds.reset(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
    if (!ds) {
        result.error = errors.first().empty() ? "not a chart or vector file GDAL can read"
                                              : errors.first();
        return result;
    }

    auto chart = std::make_shared<ChartData>();
    chart->path = path;
    chart->name = std::filesystem::path(path).stem().string();
    chart->nautical = nautical;
    if (nautical)
        readCellInfo(*ds, *chart);
    int outside = 0;
    for (OGRLayer* layer : ds->GetLayers()) {
        if (nautical) {
            auto it = s57Kinds().find(layer->GetName());
            if (it != s57Kinds().end())
                outside += readLayer(*layer, it->second, *chart);
        } else {
            outside += readLayer(*layer, FeatureKind::Plain, *chart);
        }
        if (!errors.first().empty())
            break;
    }
    if (!errors.first().empty()) {
        result.error = errors.first();
        return result;
    }
    if (chart->features.empty()) {
        result.error = outside ? "its positions are not longitude and latitude on the earth"
                               : "the file holds no features";
        return result;
    }
    chart->extent = extentOf(chart->features);
    result.chart = std::move(chart);
    return result;
}

} // namespace euro32
