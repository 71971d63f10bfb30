// Export of a database's stored tracks to GIS files through OGR: a point layer "soundings" and
// a line layer "tracks", written beside the output under a temporary name and put in place
// only when complete.
#pragma once

#include "classification/BoxFile.h"
#include "platform/windef.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace gisexport {

struct GisFormat {
    const char* name;      // what --format takes
    const char* driver;    // the OGR driver
    const char* extension; // with the dot
    bool singleLayer;      // one file per layer: the tracks go to "<stem>_tracks<ext>"
};

// The format of a name ("gpkg", "GeoJSON", ...) or of an output's extension; null when unknown.
const GisFormat* FormatNamed(const std::string& name);
const GisFormat* FormatOfOutput(const std::string& output);
// Every format, for the usage text.
const std::vector<GisFormat>& Formats();

struct ExportRequest {
    std::string database = "database";  // folder name or path
    std::vector<uint32_t> handles;      // chosen tracks; empty for every track
    std::optional<RECT> area;           // west, north, east, south in 1e-7 degree
    const GisFormat* format = nullptr;
    std::string output;                 // host path of the output file
    const BoxFile* box = nullptr;       // class names; none leaves them empty
};

// Points written so far and the points to write; false cancels the export.
using Progress = std::function<bool(uint64_t done, uint64_t total)>;

enum class ExportResult { Done, NoDatabase, NotWritable, Cancelled, Failed };

struct ExportOutcome {
    ExportResult result = ExportResult::Failed;
    std::string message; // one line, for the user, when not Done
    uint64_t points = 0;
    uint32_t tracks = 0;
};

ExportOutcome ExportTracks(const ExportRequest& request, const Progress& progress = {});

} // namespace gisexport
