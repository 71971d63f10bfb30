// Runs a program as a child process with scripted standard input, as a user's shell would.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct ChildResult {
    int exitCode = -1;    // -1 when the child did not exit normally
    std::string output;   // standard output, when captured
    std::string errors;   // error stream, when captured
    double seconds = 0;   // wall time
    double cpuSeconds = 0; // user and system time of the child
    long peakKilobytes = 0; // the child's peak resident memory
};

// Runs `argv` (the program is looked up on PATH) with `input` as its whole standard input. Output and errors are captured, or
// sent to /dev/null when `discardOutput` is set (for large runs).
ChildResult RunChild(const std::vector<std::string>& argv, const std::string& input,
                     bool discardOutput = false);
