// The swath unit's side of the command protocol: it takes the module's commands (the timing
// values are accepted and have no effect on the simulated seabed) and answers each ping with a
// reading line for the selected transducer.
#pragma once

#include <functional>
#include <string>

class SwathUnit {
public:
    // `answer(transducer)` gives the reading line of a ping.
    explicit SwathUnit(std::function<std::string(int)> answer) : answer_(std::move(answer)) {}
    // Takes command bytes; returns what the unit sends back.
    std::string feed(const std::string& bytes);

    int selected() const { return selected_; }
    int pings() const { return pings_; }

private:
    std::string command(char c);

    std::function<std::string(int)> answer_;
    char pendingCommand_ = 0; // a command waiting for its argument
    int valuesLeft_ = 0;
    int selected_ = 0;
    int pings_ = 0;
};
