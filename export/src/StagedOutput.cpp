#include "StagedOutput.h"

#include <unistd.h>

namespace fs = std::filesystem;

namespace gisexport {

StagedOutput::StagedOutput(const fs::path& output) : output_(fs::absolute(output))
{
    const fs::path folder =
        output_.parent_path() / ("." + output_.filename().string() + ".partial-" + std::to_string(getpid()));
    std::error_code error;
    fs::remove_all(folder, error);
    if (fs::create_directory(folder, error))
        folder_ = folder;
}

StagedOutput::~StagedOutput()
{
    std::error_code error;
    if (!folder_.empty())
        fs::remove_all(folder_, error);
}

bool StagedOutput::commit()
{
    std::error_code error;
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder_, error))
        if (entry.path().filename() != output_.filename())
            files.push_back(entry.path());
    files.push_back(folder_ / output_.filename());
    for (const auto& file : files) {
        fs::rename(file, output_.parent_path() / file.filename(), error);
        if (error)
            return false;
    }
    return true;
}

} // namespace gisexport
