// A text file written through a large buffer, so that millions of short lines cost a handful of
// system calls. Remembers the first failure (a full disk) for the caller to report.
#pragma once

#include "ReplayFormats.h"

#include <cstdio>
#include <string>
#include <vector>

namespace replaymake {

class OutputFile {
public:
    OutputFile();
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates or truncates the file (a drive path or a name in the current directory).
    bool Create(const char* path);
    // Room for one more line; Commit() takes the characters written there.
    char* LineSpace()
    {
        if (used_ + LINE_CAPACITY > buffer_.size())
            Flush();
        return buffer_.data() + used_;
    }
    void Commit(std::size_t length) { used_ += length; }
    // Writes what is buffered and closes the file; false when any write failed.
    bool Close();
    const std::string& Path() const { return path_; }

private:
    void Flush();

    std::FILE* file_ = nullptr;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
    bool failed_ = false;
    std::string path_;
};

} // namespace replaymake
