#include "TempDataRoot.h"

#include "platform/files.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

TempDataRoot::TempDataRoot()
{
    if (const char* old = std::getenv("TIDEVANE_HOME")) {
        previous_ = old;
        hadPrevious_ = true;
    }
    std::string pattern = (fs::temp_directory_path() / "tidevane-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary data root");
    root_ = pattern;
    setenv("TIDEVANE_HOME", root_.c_str(), 1);
    if (!win::PrepareDataRoot())
        throw std::runtime_error("cannot prepare the data root");
}

TempDataRoot::~TempDataRoot()
{
    if (hadPrevious_)
        setenv("TIDEVANE_HOME", previous_.c_str(), 1);
    else
        unsetenv("TIDEVANE_HOME");
    std::error_code ec;
    fs::remove_all(root_, ec);
}

fs::path TempDataRoot::addDrive(char letter)
{
    fs::path drive = root_ / "dosdevices" / std::string{letter, ':'};
    fs::create_directories(drive);
    return drive;
}

std::string TempDataRoot::readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void TempDataRoot::writeFile(const fs::path& path, const std::string& text)
{
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}
