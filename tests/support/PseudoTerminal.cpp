#include "PseudoTerminal.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

PseudoTerminal::PseudoTerminal()
{
    char name[256];
    if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0)
        throw std::runtime_error("openpty failed");
    slaveName_ = name;
    // Raw from the start: no echo of what the test writes before the code configures the port.
    termios tio{};
    tcgetattr(slave_, &tio);
    cfmakeraw(&tio);
    tcsetattr(slave_, TCSANOW, &tio);
    fcntl(master_, F_SETFD, FD_CLOEXEC);
    fcntl(slave_, F_SETFD, FD_CLOEXEC);
}

PseudoTerminal::~PseudoTerminal()
{
    closeMaster();
    if (slave_ >= 0)
        ::close(slave_);
}

void PseudoTerminal::linkAs(const std::filesystem::path& dataRoot, int comNumber) const
{
    auto folder = dataRoot / "dosdevices";
    std::filesystem::create_directories(folder);
    auto link = folder / ("com" + std::to_string(comNumber));
    std::error_code ec;
    std::filesystem::remove(link, ec);
    std::filesystem::create_symlink(slaveName_, link);
}

void PseudoTerminal::write(std::string_view bytes) const
{
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno != EINTR && errno != EAGAIN)
            throw std::runtime_error("pty write failed");
        if (n > 0)
            done += size_t(n);
    }
}

std::string PseudoTerminal::read(std::chrono::milliseconds wait, size_t expected) const
{
    std::string got;
    auto deadline = std::chrono::steady_clock::now() + wait;
    while (got.size() < expected) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        pollfd p{master_, POLLIN, 0};
        if (::poll(&p, 1, int(left.count())) <= 0 || !(p.revents & POLLIN))
            continue;
        char buffer[4096];
        ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n > 0)
            got.append(buffer, size_t(n));
    }
    return got;
}

void PseudoTerminal::closeMaster()
{
    if (master_ >= 0)
        ::close(master_);
    master_ = -1;
}
