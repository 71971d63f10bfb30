// One instrument's serial line: a device it is given, or a pseudo-terminal it creates. Output
// is queued and paced at the line's baud rate, as a real serial line delivers it.
#pragma once

#include <chrono>
#include <string>

class SimPort {
public:
    // Opens `device` raw at `baud`, or creates a pseudo-terminal when `device` is empty.
    SimPort(const std::string& device, int baud);
    ~SimPort();
    SimPort(const SimPort&) = delete;
    SimPort& operator=(const SimPort&) = delete;

    // The device the other side opens.
    const std::string& name() const { return name_; }
    int fd() const { return fd_; }
    void queue(const std::string& bytes) { pending_ += bytes; }
    // Writes what the baud rate allows by now.
    void pump(std::chrono::steady_clock::time_point now);
    bool idle() const { return pending_.empty(); }
    // Bytes that arrived, empty when none.
    std::string take();

private:
    int fd_ = -1;
    int slave_ = -1; // kept open so the line stays up until the other side opens it
    std::string name_;
    double bytesPerSecond_;
    double credit_ = 0;
    std::chrono::steady_clock::time_point last_;
    std::string pending_;
};
