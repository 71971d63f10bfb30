#include "SimPort.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace {

speed_t speedOf(int baud)
{
    switch (baud) {
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    default: return B9600;
    }
}

void makeRaw(int fd, int baud)
{
    termios tio{};
    if (tcgetattr(fd, &tio) != 0)
        return;
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    cfsetispeed(&tio, speedOf(baud));
    cfsetospeed(&tio, speedOf(baud));
    tcsetattr(fd, TCSANOW, &tio);
}

} // namespace

SimPort::SimPort(const std::string& device, int baud)
    : bytesPerSecond_(baud / 10.0), last_(std::chrono::steady_clock::now())
{
    if (device.empty()) {
        char name[256];
        if (openpty(&fd_, &slave_, name, nullptr, nullptr) != 0)
            throw std::runtime_error(std::string("cannot create a pseudo-terminal: ") + std::strerror(errno));
        name_ = name;
        makeRaw(slave_, baud);
    } else {
        fd_ = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK); // no wait for a carrier
        if (fd_ < 0)
            throw std::runtime_error("cannot open " + device + ": " + std::strerror(errno));
        name_ = device;
    }
    makeRaw(fd_, baud);
    fcntl(fd_, F_SETFL, fcntl(fd_, F_GETFL) | O_NONBLOCK);
}

SimPort::~SimPort()
{
    if (fd_ >= 0)
        ::close(fd_);
    if (slave_ >= 0)
        ::close(slave_);
}

void SimPort::pump(std::chrono::steady_clock::time_point now)
{
    double elapsed = std::chrono::duration<double>(now - last_).count();
    last_ = now;
    if (pending_.empty()) {
        credit_ = 0;
        return;
    }
    credit_ = std::min(credit_ + elapsed * bytesPerSecond_, bytesPerSecond_);
    size_t allowed = std::min(pending_.size(), size_t(credit_));
    if (allowed == 0)
        return;
    ssize_t n = ::write(fd_, pending_.data(), allowed);
    if (n > 0) {
        pending_.erase(0, size_t(n));
        credit_ -= double(n);
    } else if (n < 0 && errno == EAGAIN) {
        // Nobody reads the line: what it sends now is lost, as on a real one.
        pending_.erase(0, allowed);
        credit_ -= double(allowed);
    }
}

std::string SimPort::take()
{
    char buffer[512];
    ssize_t n = ::read(fd_, buffer, sizeof buffer);
    return n > 0 ? std::string(buffer, size_t(n)) : std::string();
}
