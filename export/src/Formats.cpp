// The file formats the export writes and how their names and extensions map to OGR drivers.
#include "export/GisExport.h"

#include <algorithm>
#include <filesystem>
#include <strings.h>

namespace gisexport {

const std::vector<GisFormat>& Formats()
{
    // CSV, GeoJSON and shapefiles hold one layer per file.
    static const std::vector<GisFormat> formats{
        {"gpkg", "GPKG", ".gpkg", false},
        {"geojson", "GeoJSON", ".geojson", true},
        {"csv", "CSV", ".csv", true},
        {"kml", "KML", ".kml", false},
        {"shp", "ESRI Shapefile", ".shp", true},
    };
    return formats;
}

const GisFormat* FormatNamed(const std::string& name)
{
    for (const auto& format : Formats())
        if (strcasecmp(name.c_str(), format.name) == 0 || strcasecmp(name.c_str(), format.driver) == 0)
            return &format;
    return nullptr;
}

const GisFormat* FormatOfOutput(const std::string& output)
{
    const std::string extension = std::filesystem::path(output).extension().string();
    for (const auto& format : Formats())
        if (strcasecmp(extension.c_str(), format.extension) == 0)
            return &format;
    return nullptr;
}

} // namespace gisexport
