// swathsim run as a child process for a test: started with its arguments, the devices it names
// read from its output, stopped when the test ends (or earlier, to pull the plug).
#pragma once

#include <map>
#include <string>
#include <sys/types.h>
#include <vector>

class SimulatorProcess {
public:
    explicit SimulatorProcess(const std::vector<std::string>& arguments);
    ~SimulatorProcess();
    // "sounder", "gps", "compass" -> device, read up to the "ready" line.
    const std::map<std::string, std::string>& devices() const { return devices_; }
    // Ends the simulator; its devices go away with it. The exit status.
    int stop();
    // Output of a run that ends on its own (--help, bad options) and its exit status.
    static int run(const std::vector<std::string>& arguments, std::string& output);

private:
    pid_t pid_ = -1;
    std::map<std::string, std::string> devices_;
};
