#include "GisLayers.h"

#include <cpl_error.h>
#include <cpl_string.h>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <ctime>

namespace gisexport {
namespace {

GDALDataset* CreateDataset(const GisFormat& format, const std::filesystem::path& path, std::string& error)
{
    GDALAllRegister();
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(format.driver);
    if (!driver) {
        error = std::string("the GIS library has no ") + format.driver + " driver";
        return nullptr;
    }
    GDALDataset* set = driver->Create(path.c_str(), 0, 0, 0, GDT_Unknown, nullptr);
    if (!set)
        error = std::string("cannot create ") + path.string() + ": " + CPLGetLastErrorMsg();
    return set;
}

OGRLayer* CreateLayer(GDALDataset* set, const GisFormat& format, const char* name, OGRwkbGeometryType type,
                      std::string& error)
{
    OGRSpatialReference wgs84;
    wgs84.SetWellKnownGeogCS("WGS84");
    wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    CPLStringList options;
    if (std::string(format.driver) == "CSV") {
        options.SetNameValue("GEOMETRY", type == wkbPoint ? "AS_XY" : "AS_WKT");
        options.SetNameValue("CREATE_CSVT", "YES");
    }
    OGRLayer* layer = set->CreateLayer(name, &wgs84, type, options.List());
    if (!layer)
        error = std::string("cannot create layer ") + name + ": " + CPLGetLastErrorMsg();
    return layer;
}

bool AddFields(OGRLayer* layer, std::initializer_list<std::pair<const char*, OGRFieldType>> fields)
{
    for (const auto& [name, type] : fields) {
        OGRFieldDefn field(name, type);
        if (layer->CreateField(&field) != OGRERR_NONE)
            return false;
    }
    return true;
}

void SetOptional(OGRFeature& feature, const char* field, std::optional<int> value)
{
    if (value)
        feature.SetField(field, *value);
}

void SetTime(OGRFeature& feature, const char* field, uint32_t seconds)
{
    if (seconds != 0)
        feature.SetField(field, IsoTime(seconds).c_str());
}

void StartTransaction(GDALDataset* set)
{
    if (set && set->TestCapability(ODsCTransactions))
        set->StartTransaction();
}

bool CommitTransaction(GDALDataset* set)
{
    return !set || !set->TestCapability(ODsCTransactions) || set->CommitTransaction() == OGRERR_NONE;
}

} // namespace

std::string IsoTime(uint32_t seconds)
{
    if (seconds == 0)
        return {};
    const std::time_t t = std::time_t(seconds);
    std::tm utc{};
    char text[32];
    gmtime_r(&t, &utc);
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

GisLayers::GisLayers(const GisFormat& format, const std::filesystem::path& soundingsPath,
                     const std::filesystem::path& tracksPath, const std::string& database, std::string& error)
    : database_(database)
{
    error.clear();
    soundingsSet_ = CreateDataset(format, soundingsPath, error);
    if (!soundingsSet_)
        return;
    if (format.singleLayer && !(tracksSet_ = CreateDataset(format, tracksPath, error)))
        return;
    format_ = &format;
    soundingsName_ = format.singleLayer ? soundingsPath.stem().string() : "soundings";
    // Shapefiles name their one layer after the file.
    const std::string tracksName = format.singleLayer ? tracksPath.stem().string() : "tracks";
    GDALDataset* tracksSet = tracksSet_ ? tracksSet_ : soundingsSet_;
    tracks_ = CreateLayer(tracksSet, format, tracksName.c_str(), wkbLineString, error);
    if (!tracks_)
        return;
    // Names of at most ten characters, which shapefiles keep whole.
    if (!AddFields(tracks_, {{"track", OFTInteger}, {"transducer", OFTInteger}, {"points", OFTInteger},
                             {"first_time", OFTString}, {"last_time", OFTString}, {"database", OFTString}})) {
        error = std::string("cannot create the attributes: ") + CPLGetLastErrorMsg();
        return;
    }
    StartTransaction(soundingsSet_);
    StartTransaction(tracksSet_);
}

bool GisLayers::startSoundings()
{
    std::string error;
    soundings_ = CreateLayer(soundingsSet_, *format_, soundingsName_.c_str(), wkbPoint, error);
    return soundings_ &&
           AddFields(soundings_, {{"depth", OFTReal}, {"e1", OFTReal}, {"e2", OFTReal}, {"class", OFTInteger},
                                  {"class_name", OFTString}, {"transducer", OFTInteger}, {"track", OFTInteger},
                                  {"database", OFTString}, {"time", OFTString}});
}

GisLayers::~GisLayers() { close(); }

void GisLayers::close()
{
    // Closing without a commit rolls back; the staged files are dropped anyway.
    if (tracksSet_)
        GDALClose(tracksSet_);
    if (soundingsSet_)
        GDALClose(soundingsSet_);
    tracksSet_ = soundingsSet_ = nullptr;
}

bool GisLayers::addSounding(const SoundingValues& values, uint32_t handle, std::optional<int> transducer)
{
    OGRFeature feature(soundings_->GetLayerDefn());
    const TrackPoint& p = values.point;
    feature.SetGeometry(std::make_unique<OGRPoint>(p.lon / 1e7, p.lat / 1e7).get());
    feature.SetField("depth", double(p.depth));
    feature.SetField("e1", double(p.e1));
    feature.SetField("e2", double(p.e2));
    feature.SetField("class", int(p.colour));
    feature.SetField("class_name", values.className);
    SetOptional(feature, "transducer", transducer);
    feature.SetField("track", int(handle));
    feature.SetField("database", database_.c_str());
    SetTime(feature, "time", values.time);
    return soundings_->CreateFeature(&feature) == OGRERR_NONE;
}

bool GisLayers::addTrack(const TrackValues& values)
{
    OGRFeature feature(tracks_->GetLayerDefn());
    // A line needs two points; a shorter track keeps its attributes without a geometry.
    if (values.line.size() >= 2) {
        OGRLineString line;
        for (const auto& [lon, lat] : values.line)
            line.addPoint(lon, lat);
        feature.SetGeometry(&line);
    }
    feature.SetField("track", int(values.handle));
    SetOptional(feature, "transducer", values.transducer);
    feature.SetField("points", int(values.points));
    SetTime(feature, "first_time", values.firstTime);
    SetTime(feature, "last_time", values.lastTime);
    feature.SetField("database", database_.c_str());
    return tracks_->CreateFeature(&feature) == OGRERR_NONE;
}

bool GisLayers::finish()
{
    CPLErrorReset();
    bool committed = CommitTransaction(soundingsSet_) && CommitTransaction(tracksSet_);
    close();
    return committed && CPLGetLastErrorType() < CE_Failure;
}

} // namespace gisexport
