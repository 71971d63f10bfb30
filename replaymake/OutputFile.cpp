#include "OutputFile.h"

#include "platform/files.h"

namespace replaymake {

namespace {
constexpr std::size_t BUFFER_BYTES = 1 << 20;
}

OutputFile::OutputFile() : buffer_(BUFFER_BYTES) {}

OutputFile::~OutputFile() { Close(); }

bool OutputFile::Create(const char* path)
{
    Close();
    path_ = path;
    failed_ = false;
    file_ = win::fopen(path, "wb");
    if (file_)
        std::setvbuf(file_, nullptr, _IONBF, 0);
    return file_ != nullptr;
}

void OutputFile::Flush()
{
    if (file_ && used_ && !failed_ && std::fwrite(buffer_.data(), 1, used_, file_) != used_)
        failed_ = true;
    used_ = 0;
}

bool OutputFile::Close()
{
    if (!file_)
        return !failed_;
    Flush();
    if (std::fclose(file_) != 0)
        failed_ = true;
    file_ = nullptr;
    return !failed_;
}

} // namespace replaymake
