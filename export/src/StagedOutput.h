// Output files written into a hidden folder beside their final place and moved there only once
// complete; dropped otherwise, so no half-written file ever carries the output's name.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace gisexport {

class StagedOutput {
public:
    // Makes the staging folder; ok() is false when the output's folder is not writable.
    explicit StagedOutput(const std::filesystem::path& output);
    ~StagedOutput(); // removes whatever was not committed
    StagedOutput(const StagedOutput&) = delete;
    StagedOutput& operator=(const StagedOutput&) = delete;

    bool ok() const { return !folder_.empty(); }
    // Where a file named `name` is written before it is committed.
    std::filesystem::path staged(const std::string& name) const { return folder_ / name; }
    // Moves every staged file beside the output, the output itself last.
    bool commit();

private:
    std::filesystem::path output_;
    std::filesystem::path folder_;
};

} // namespace gisexport
