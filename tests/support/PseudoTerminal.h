// A pseudo-terminal pair standing in for a serial device: the code under test opens the slave
// by its name (or as "COMn" through dosdevices), the test talks through the master.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>

class PseudoTerminal {
public:
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    const std::string& slaveName() const { return slaveName_; }
    // Makes "COMn" of the data root name this terminal.
    void linkAs(const std::filesystem::path& dataRoot, int comNumber) const;
    void write(std::string_view bytes) const;
    // What arrives within `wait`, returning early once `expected` bytes are in.
    std::string read(std::chrono::milliseconds wait, size_t expected = SIZE_MAX) const;
    // The far end goes away, as a pulled-out adapter does.
    void closeMaster();
    int slaveFd() const { return slave_; }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slaveName_;
};
