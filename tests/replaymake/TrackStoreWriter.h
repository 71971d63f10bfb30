// Writes a small track database the way the recorder leaves it: trkstat.inf, objects.inf,
// tracks.inf with the current-track placeholder, Swath.dat and the point and time files.
#pragma once

#include "records/TrackRecords.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

class TrackStoreWriter {
public:
    // Creates the track overlay folder "varnel/database/ovl00001" under `driveC`.
    explicit TrackStoreWriter(const std::filesystem::path& driveC);

    const std::filesystem::path& overlay() const { return overlay_; }

    // Stores a track with the given beam-table value; without times it gets no time file.
    // Returns its handle.
    uint32_t addTrack(int16_t beam, const std::vector<TrackPoint>& points,
                      const std::optional<std::vector<uint32_t>>& times);
    // Marks a track deleted (handle 0 in its entry), as the overlay store does.
    void deleteTrack(uint32_t handle);

    void writeStatusFile(std::size_t bytes);

private:
    void writeObjectCounts();
    void writeEntry(uint32_t entryIndex, const TrackInfoDisk& info);

    std::filesystem::path overlay_;
    uint32_t entries_ = 0;
    int16_t live_ = 0;
};

// A point with the given values and colour 0.
TrackPoint MakePoint(float depth, float e1, float e2, int32_t lat, int32_t lon);
