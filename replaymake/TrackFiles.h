// Reading the track overlay's catalogue files: tracks.inf entries and the beam table.
#pragma once

#include "records/TrackStoreFiles.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

namespace replaymake {

struct TracksInfEntry {
    TrackInfoDisk info;
    bool positionRecordRead; // false only for a damaged last entry
};

// Every entry of an open tracks.inf, in file order, up to the first incomplete TrackInfo record.
std::vector<TracksInfEntry> ReadTracksInf(std::FILE* file);

// The beam table "Swath.dat": one i16 transducer number per track handle.
class BeamTable {
public:
    // Loads the table once; a missing table looks up nothing.
    static BeamTable Load();
    // The transducer stored for a handle (values above 3 stand for transducer - 8), or
    // nothing when there is no table or it ends before that handle.
    std::optional<int> Transducer(uint32_t handle) const;

private:
    std::vector<int16_t> values_;
};

// "trk%05d.dat" and "trk%05d.tim" of a stored track.
struct TrackFileNames {
    char points[16];
    char times[16];
};
TrackFileNames TrackFileNamesOf(uint32_t handle);

// A file of the track overlay folder (the current directory) read in large blocks.
class BlockFile {
public:
    BlockFile() = default;
    ~BlockFile();
    BlockFile(BlockFile&& other) noexcept;
    BlockFile& operator=(BlockFile&& other) noexcept;
    BlockFile(const BlockFile&) = delete;
    BlockFile& operator=(const BlockFile&) = delete;

    bool Open(const char* name);
    bool IsOpen() const { return file_ != nullptr; }
    void Close();
    int64_t Size() const;
    // Reads up to `count` records of `recordBytes` starting at byte `offset` (or, without an
    // offset, where the last read ended). Returns the records read; a short count is the end
    // of the file or, when Failed() says so, a read error.
    std::size_t Read(void* records, std::size_t recordBytes, std::size_t count,
                     std::optional<int64_t> offset = std::nullopt);
    bool Failed() const { return failed_; }

private:
    std::FILE* file_ = nullptr;
    bool failed_ = false;
};

} // namespace replaymake
