// The two layers of an export in OGR datasets: "tracks" (lines) and "soundings" (points).
#pragma once

#include "export/GisExport.h"
#include "records/TrackRecords.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class GDALDataset;
class OGRLayer;

namespace gisexport {

struct SoundingValues {
    TrackPoint point;
    uint32_t time; // 0: none
    const char* className;
};

struct TrackValues {
    uint32_t handle;
    std::optional<int> transducer;
    uint32_t points;
    uint32_t firstTime, lastTime; // 0: none
    std::vector<std::pair<double, double>> line; // lon, lat in degrees
};

class GisLayers {
public:
    // Creates the datasets at `soundingsPath` (and `tracksPath` for single-layer formats) and
    // the tracks layer; empty `error` when it worked.
    GisLayers(const GisFormat& format, const std::filesystem::path& soundingsPath,
              const std::filesystem::path& tracksPath, const std::string& database, std::string& error);
    ~GisLayers();
    GisLayers(const GisLayers&) = delete;
    GisLayers& operator=(const GisLayers&) = delete;

    bool addTrack(const TrackValues& values);
    // The point layer follows once every track is written: drivers such as KML write one
    // layer after the other.
    bool startSoundings();
    bool addSounding(const SoundingValues& values, uint32_t handle, std::optional<int> transducer);
    // Commits and closes; false when the driver reported a failure.
    bool finish();

private:
    void close();

    const GisFormat* format_ = nullptr;
    std::string soundingsName_;
    std::string database_;
    GDALDataset* soundingsSet_ = nullptr;
    GDALDataset* tracksSet_ = nullptr; // null when both layers share one dataset
    OGRLayer* soundings_ = nullptr;
    OGRLayer* tracks_ = nullptr;
};

// "2026-12-11T08:30:00Z"; empty for 0.
std::string IsoTime(uint32_t seconds);

} // namespace gisexport
