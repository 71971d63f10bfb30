// Command-line options of the instrument simulator.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct SimOptions {
    std::string sounderDevice; // empty: create a pseudo-terminal
    std::string gpsDevice;
    std::string compassDevice;
    bool compass = true;
    double lat = 57.695;       // start of the first survey line, degrees
    double lon = 11.835;
    double lineHeading = 0.0;  // degrees true of the first line
    int lines = 5;
    double lineLength = 800.0; // metres
    double spacing = 40.0;     // metres between lines, to starboard
    double knots = 5.0;
    uint32_t seed = 1;
    double badChecksums = 0.0; // share of GPS sentences sent with a wrong checksum
    double garbage = 0.0;      // share of GPS seconds preceded by random bytes
    double duration = 0.0;     // seconds; 0 runs until interrupted
    int gpsBaud = 4800;
    int sounderBaud = 9600;
    int compassBaud = 9600;
    long unitFrequency = 7680;  // Hz of the unit clock
    double speedOfSound = 1480.0;
};

// The options, or nothing after printing the reason (or the help) to `out`; `exitCode` says
// how the program should end then.
std::optional<SimOptions> ParseSimOptions(int argc, char** argv, std::string& out, int& exitCode);
