// The checks of the kill sweep: what the scenario said it completed against what the databases
// of the data root hold after the killed run and the run that resumed from it.
#pragma once

#include <set>
#include <string>
#include <vector>

namespace killsweep {

// The steps a scenario run completed, from the lines it printed.
struct RunLog {
    std::set<int> appended;
    std::set<int> timed;
    std::set<int> stored; // recordings
    bool started = false;
    int saveRate = -1;

    static RunLog Parse(const std::string& output);
};

// One line per fault found in the data root of $TIDEVANE_HOME; none when all is well.
std::vector<std::string> CheckDatabases(const RunLog& killed, const RunLog& resumed);

} // namespace killsweep
