// A fresh $TIDEVANE_HOME for one test: drive C: with "c:\varnel" as the current directory and
// the Windows directory; removed again at the end.
#pragma once

#include <filesystem>
#include <string>

class TempDataRoot {
public:
    TempDataRoot();
    ~TempDataRoot();
    TempDataRoot(const TempDataRoot&) = delete;
    TempDataRoot& operator=(const TempDataRoot&) = delete;

    const std::filesystem::path& root() const { return root_; }
    std::filesystem::path driveC() const { return root_ / "dosdevices" / "c:"; }
    std::filesystem::path windowsDir() const { return root_ / "windows"; }
    // Makes drive `letter` exist, backed by a folder of the data root.
    std::filesystem::path addDrive(char letter);

    static std::string readFile(const std::filesystem::path& path);
    static void writeFile(const std::filesystem::path& path, const std::string& text);

private:
    std::filesystem::path root_;
    std::string previous_;
    bool hadPrevious_ = false;
};
