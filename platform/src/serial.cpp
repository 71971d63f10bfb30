#include "platform/serial.h"
#include "platform/files.h"
#include "platform/modules.h"
#include "hostpaths.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <poll.h>
#include <strings.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

struct Port {
    int fd = -1;
    COMMTIMEOUTS timeouts{};
    DCB dcb{};
    std::atomic<bool> lost{false};
    ~Port()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

std::mutex portsMutex;
std::map<HANDLE, std::shared_ptr<Port>> ports;

// The handle's port, kept alive for the call even if another thread closes the handle.
std::shared_ptr<Port> portOf(HANDLE handle)
{
    std::lock_guard lock(portsMutex);
    auto it = ports.find(handle);
    if (it == ports.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (it->second->lost) {
        SetLastError(ERROR_DEVICE_REMOVED);
        return nullptr;
    }
    return it->second;
}

BOOL fail(DWORD code)
{
    SetLastError(code);
    return FALSE;
}

// A hang-up or an I/O error on a terminal means the device has gone for good.
bool deviceGone(int error) { return error == EIO || error == ENXIO || error == ENODEV || error == EBADF; }

BOOL markLost(Port& port)
{
    port.lost = true;
    return fail(ERROR_DEVICE_REMOVED);
}

bool hungUp(int fd)
{
    pollfd p{fd, 0, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL));
}

speed_t speedOf(DWORD baud)
{
    static const std::pair<DWORD, speed_t> speeds[] = {
        {110, B110}, {300, B300}, {600, B600}, {1200, B1200}, {2400, B2400}, {4800, B4800},
        {9600, B9600}, {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200},
        {230400, B230400}, {460800, B460800}, {921600, B921600}};
    for (auto [rate, speed] : speeds)
        if (rate == baud)
            return speed;
    return B0;
}

using Clock = std::chrono::steady_clock;

// Milliseconds left before `deadline`, or -1 (wait without limit) when there is none.
int remainingMs(const std::optional<Clock::time_point>& deadline)
{
    if (!deadline)
        return -1;
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(*deadline - Clock::now()).count();
    return left > 0 ? int(left) : 0;
}

std::optional<Clock::time_point> deadlineAfter(DWORD multiplier, DWORD constant, DWORD size)
{
    uint64_t total = uint64_t(multiplier) * size + constant;
    if (total == 0 || constant == MAXDWORD)
        return std::nullopt;
    return Clock::now() + std::chrono::milliseconds(total);
}

} // namespace

namespace win {

std::string SerialDevicePath(const char* name)
{
    std::string n = name ? name : "";
    if (n.rfind("\\\\.\\", 0) == 0)
        n = n.substr(4);
    if (!n.empty() && n.back() == ':')
        n.pop_back();
    if (!n.empty() && n[0] == '/')
        return n;
    // Port names come from settings files: only a plain name is looked up among the devices, so
    // that "..\\windows\\VARNEL.INI" cannot be opened as a port.
    if (n.empty() || n == "." || n == ".." || n.find_first_of("/\\") != std::string::npos)
        return "";
    auto folder = DataRoot() / "dosdevices";
    std::string lower;
    for (char c : n)
        lower += char(std::tolower(static_cast<unsigned char>(c)));
    if (auto entry = detail::findEntryIgnoringCase(folder, lower))
        return (folder / *entry).string();
    unsigned number = 0;
    if (lower.size() > 3 && lower.compare(0, 3, "com") == 0 &&
        std::sscanf(lower.c_str() + 3, "%u", &number) == 1 && number > 0)
        return "/dev/ttyS" + std::to_string(number - 1);
    return (folder / lower).string();
}

} // namespace win

HANDLE CreateFileA(const char* name, DWORD access, DWORD, void*, DWORD, DWORD, HANDLE)
{
    std::string path = win::SerialDevicePath(name);
    int mode = (access & GENERIC_WRITE) ? ((access & GENERIC_READ) ? O_RDWR : O_WRONLY) : O_RDONLY;
    int fd = ::open(path.c_str(), mode | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        SetLastError(errno == ENOENT || errno == ENOTDIR || errno == ENXIO ? ERROR_FILE_NOT_FOUND
                                                                             : ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    // TIOCEXCL keeps other users out, flock keeps out root and our own second open as well.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || (::ioctl(fd, TIOCEXCL) != 0 && errno != ENOTTY)) {
        ::close(fd);
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    auto port = std::make_shared<Port>();
    port->fd = fd;
    port->timeouts = {MAXDWORD, 0, 0, 0, MAXDWORD};
    HANDLE handle = port.get();
    std::lock_guard lock(portsMutex);
    ports[handle] = std::move(port);
    return handle;
}

BOOL CloseHandle(HANDLE handle)
{
    std::shared_ptr<Port> port;
    {
        std::lock_guard lock(portsMutex);
        auto it = ports.find(handle);
        if (it == ports.end())
            return fail(ERROR_INVALID_HANDLE);
        port = std::move(it->second);
        ports.erase(it);
    }
    ::ioctl(port->fd, TIOCNXCL);
    return TRUE;
}

BOOL SetupComm(HANDLE handle, DWORD, DWORD)
{
    // The kernel's queues are fixed; nothing to size.
    return portOf(handle) ? TRUE : FALSE;
}

BOOL SetCommTimeouts(HANDLE handle, const COMMTIMEOUTS* timeouts)
{
    auto port = portOf(handle);
    if (!port)
        return FALSE;
    port->timeouts = *timeouts;
    return TRUE;
}

BOOL GetCommTimeouts(HANDLE handle, COMMTIMEOUTS* timeouts)
{
    auto port = portOf(handle);
    if (!port)
        return FALSE;
    *timeouts = port->timeouts;
    return TRUE;
}

BOOL BuildCommDCBA(const char* definition, DCB* dcb)
{
    std::string text = definition ? definition : "";
    auto colon = text.find(':');
    std::string mode = colon == std::string::npos ? text : text.substr(colon + 1);
    size_t start = mode.find_first_not_of(' ');
    if (start == std::string::npos || !std::isdigit(static_cast<unsigned char>(mode[start]))) {
        if (colon == std::string::npos && !text.empty())
            return TRUE; // a bare device name: the block stays as it is
        return fail(ERROR_INVALID_PARAMETER);
    }
    unsigned baud = 0, bits = 0, stop = 0;
    char parity = 0;
    if (std::sscanf(mode.c_str(), " %u , %c , %u , %u", &baud, &parity, &bits, &stop) != 4)
        return fail(ERROR_INVALID_PARAMETER);
    parity = char(std::tolower(static_cast<unsigned char>(parity)));
    if (speedOf(baud) == B0 || bits < 5 || bits > 8 || (stop != 1 && stop != 2) ||
        (parity != 'n' && parity != 'e' && parity != 'o'))
        return fail(ERROR_INVALID_PARAMETER);
    dcb->BaudRate = baud;
    dcb->ByteSize = BYTE(bits);
    dcb->Parity = parity == 'n' ? NOPARITY : parity == 'o' ? ODDPARITY : EVENPARITY;
    dcb->StopBits = stop == 1 ? ONESTOPBIT : TWOSTOPBITS;
    return TRUE;
}

BOOL GetCommState(HANDLE handle, DCB* dcb)
{
    auto port = portOf(handle);
    if (!port)
        return FALSE;
    *dcb = port->dcb;
    return TRUE;
}

BOOL SetCommState(HANDLE handle, const DCB* dcb)
{
    auto port = portOf(handle);
    if (!port)
        return FALSE;
    speed_t speed = speedOf(dcb->BaudRate);
    if (speed == B0)
        return fail(ERROR_INVALID_PARAMETER);
    termios tio{};
    if (::tcgetattr(port->fd, &tio) != 0)
        return deviceGone(errno) ? markLost(*port) : fail(ERROR_INVALID_HANDLE);
    ::cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    static const tcflag_t sizes[] = {CS5, CS6, CS7, CS8};
    tio.c_cflag |= sizes[std::min<int>(std::max<int>(dcb->ByteSize, 5), 8) - 5];
    if (dcb->Parity != NOPARITY)
        tio.c_cflag |= PARENB | (dcb->Parity == ODDPARITY ? PARODD : 0);
    if (dcb->fParity)
        tio.c_iflag |= INPCK;
    if (dcb->StopBits == TWOSTOPBITS)
        tio.c_cflag |= CSTOPB;
    if (dcb->fOutxCtsFlow)
        tio.c_cflag |= CRTSCTS;
    if (dcb->fOutX)
        tio.c_iflag |= IXON;
    if (dcb->fInX)
        tio.c_iflag |= IXOFF;
    // VMIN 1 / VTIME 0: an empty non-blocking read is EAGAIN, a read of 0 a hang-up.
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    ::cfsetispeed(&tio, speed);
    ::cfsetospeed(&tio, speed);
    if (::tcsetattr(port->fd, TCSANOW, &tio) != 0)
        return deviceGone(errno) ? markLost(*port) : fail(ERROR_INVALID_PARAMETER);
    int dtr = TIOCM_DTR, rts = TIOCM_RTS;
    // Pseudo-terminals and some adapters have no modem lines: that is no failure.
    ::ioctl(port->fd, dcb->fDtrControl == DTR_CONTROL_ENABLE ? TIOCMBIS : TIOCMBIC, &dtr);
    ::ioctl(port->fd, dcb->fRtsControl == RTS_CONTROL_ENABLE ? TIOCMBIS : TIOCMBIC, &rts);
    port->dcb = *dcb;
    return TRUE;
}

BOOL ReadFile(HANDLE handle, void* buffer, DWORD size, DWORD* read, void*)
{
    if (read)
        *read = 0;
    auto port = portOf(handle);
    if (!port)
        return FALSE;
    const COMMTIMEOUTS& t = port->timeouts;
    bool immediate = t.ReadIntervalTimeout == MAXDWORD && t.ReadTotalTimeoutMultiplier == 0 &&
                     t.ReadTotalTimeoutConstant == 0;
    auto deadline = deadlineAfter(t.ReadTotalTimeoutMultiplier, t.ReadTotalTimeoutConstant, size);
    DWORD total = 0;
    auto* bytes = static_cast<char*>(buffer);
    while (total < size) {
        ssize_t n = ::read(port->fd, bytes + total, size - total);
        if (n > 0) {
            total += DWORD(n);
            continue;
        }
        if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
            if (n == 0 || deviceGone(errno)) {
                if (read)
                    *read = total;
                return markLost(*port);
            }
            return fail(ERROR_INVALID_HANDLE);
        }
        if (errno == EINTR)
            continue;
        if (immediate)
            break;
        int wait = remainingMs(deadline);
        if (wait == 0)
            break;
        pollfd p{port->fd, POLLIN, 0};
        ::poll(&p, 1, wait);
    }
    if (read)
        *read = total;
    return TRUE;
}

BOOL WriteFile(HANDLE handle, const void* buffer, DWORD size, DWORD* written, void*)
{
    if (written)
        *written = 0;
    auto port = portOf(handle);
    if (!port)
        return FALSE;
    auto deadline = deadlineAfter(port->timeouts.WriteTotalTimeoutMultiplier,
                                  port->timeouts.WriteTotalTimeoutConstant, size);
    DWORD total = 0;
    const auto* bytes = static_cast<const char*>(buffer);
    while (total < size) {
        ssize_t n = ::write(port->fd, bytes + total, size - total);
        if (n > 0) {
            total += DWORD(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN) {
            if (written)
                *written = total;
            return deviceGone(errno) ? markLost(*port) : fail(ERROR_INVALID_HANDLE);
        }
        int wait = remainingMs(deadline);
        if (wait == 0)
            break;
        // Short slices, so that a device that goes away while we wait is noticed.
        pollfd p{port->fd, POLLOUT, 0};
        ::poll(&p, 1, wait < 0 || wait > 200 ? 200 : wait);
        if (p.revents & (POLLHUP | POLLERR | POLLNVAL)) {
            if (written)
                *written = total;
            return markLost(*port);
        }
    }
    if (written)
        *written = total;
    return TRUE;
}

BOOL PurgeComm(HANDLE handle, DWORD flags)
{
    auto port = portOf(handle);
    if (!port)
        return FALSE;
    bool in = flags & (PURGE_RXCLEAR | PURGE_RXABORT);
    bool out = flags & (PURGE_TXCLEAR | PURGE_TXABORT);
    if (!in && !out)
        return TRUE;
    if (::tcflush(port->fd, in && out ? TCIOFLUSH : in ? TCIFLUSH : TCOFLUSH) != 0)
        return deviceGone(errno) ? markLost(*port) : fail(ERROR_INVALID_HANDLE);
    return TRUE;
}

BOOL ClearCommError(HANDLE handle, DWORD* errors, COMSTAT* status)
{
    if (errors)
        *errors = 0;
    if (status)
        *status = COMSTAT{};
    auto port = portOf(handle);
    if (!port)
        return FALSE;
    if (hungUp(port->fd))
        return markLost(*port);
    int in = 0, out = 0;
    if (::ioctl(port->fd, FIONREAD, &in) != 0)
        return deviceGone(errno) ? markLost(*port) : fail(ERROR_INVALID_HANDLE);
    if (::ioctl(port->fd, TIOCOUTQ, &out) != 0)
        out = 0;
    if (status)
        *status = COMSTAT{DWORD(in), DWORD(out)};
    return TRUE;
}
