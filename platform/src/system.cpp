#include "platform/system.h"
#include "platform/files.h"

#include <chrono>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <unistd.h>

namespace {
const auto processStart = std::chrono::steady_clock::now();
}

DWORD GetTickCount() { return DWORD(win::clockMs()); }

namespace win {

long clockMs()
{
    return long(std::chrono::duration_cast<std::chrono::milliseconds>(
                    std::chrono::steady_clock::now() - processStart)
                    .count());
}

bool acquireInstanceLock(const std::string& name)
{
    std::error_code ec;
    std::filesystem::create_directories(DataRoot(), ec);
    std::filesystem::path path = DataRoot() / (name + ".lock");
    // Kept open for the life of the process: the lock goes with it.
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    return true;
}

void applyTimeZone() { tzset(); }

std::string programFolder()
{
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string(".") : exe.parent_path().string();
}

} // namespace win
