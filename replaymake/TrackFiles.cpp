#include "TrackFiles.h"

#include "platform/files.h"

#include <cstring>
#include <string>
#include <utility>

namespace replaymake {

std::vector<TracksInfEntry> ReadTracksInf(std::FILE* file)
{
    std::vector<TracksInfEntry> entries;
    TracksInfEntry entry{};
    char position[sizeof(TracksInfEntryDisk::position)];
    while (std::fread(&entry.info, sizeof entry.info, 1, file) == 1) {
        entry.positionRecordRead = std::fread(position, sizeof position, 1, file) == 1;
        entries.push_back(entry);
        if (!entry.positionRecordRead)
            break;
    }
    return entries;
}

BeamTable BeamTable::Load()
{
    BeamTable table;
    BlockFile file;
    std::string path = std::string("c:\\varnel\\database\\") + TRACK_OVERLAY_FOLDER + "\\" + BEAM_TABLE_FILE;
    if (!file.Open(path.c_str()))
        return table;
    int64_t size = file.Size();
    if (size > 0) {
        table.values_.resize(std::size_t(size) / sizeof(int16_t));
        table.values_.resize(file.Read(table.values_.data(), sizeof(int16_t), table.values_.size(), 0));
    }
    return table;
}

std::optional<int> BeamTable::Transducer(uint32_t handle) const
{
    if (handle >= values_.size())
        return std::nullopt;
    int value = values_[handle];
    return DecodeBeamTableValue(value);
}

TrackFileNames TrackFileNamesOf(uint32_t handle)
{
    TrackFileNames names;
    std::snprintf(names.points, sizeof names.points, "%s", StoredTrackFileName(handle, "dat").c_str());
    std::snprintf(names.times, sizeof names.times, "%s", StoredTrackFileName(handle, "tim").c_str());
    return names;
}

BlockFile::~BlockFile() { Close(); }

BlockFile::BlockFile(BlockFile&& other) noexcept
    : file_(std::exchange(other.file_, nullptr)), failed_(other.failed_)
{
}

BlockFile& BlockFile::operator=(BlockFile&& other) noexcept
{
    if (this != &other) {
        Close();
        file_ = std::exchange(other.file_, nullptr);
        failed_ = other.failed_;
    }
    return *this;
}

bool BlockFile::Open(const char* name)
{
    Close();
    failed_ = false;
    file_ = win::fopen(name, "rb");
    // Reads are whole blocks already; a stdio buffer would only copy them once more.
    if (file_)
        std::setvbuf(file_, nullptr, _IONBF, 0);
    return file_ != nullptr;
}

void BlockFile::Close()
{
    if (file_)
        std::fclose(file_);
    file_ = nullptr;
}

int64_t BlockFile::Size() const
{
    if (!file_)
        return -1;
    long here = std::ftell(file_);
    if (std::fseek(file_, 0, SEEK_END) != 0)
        return -1;
    int64_t size = std::ftell(file_);
    std::fseek(file_, here, SEEK_SET);
    return size;
}

std::size_t BlockFile::Read(void* records, std::size_t recordBytes, std::size_t count,
                            std::optional<int64_t> offset)
{
    if (!file_)
        return 0;
    if (offset && std::fseek(file_, long(*offset), SEEK_SET) != 0) {
        failed_ = true;
        return 0;
    }
    std::size_t got = std::fread(records, recordBytes, count, file_);
    if (got < count && std::ferror(file_))
        failed_ = true;
    return got;
}

} // namespace replaymake
