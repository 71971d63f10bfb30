// What the simulated instruments say: the vessel running its survey lines, the swath unit's
// reading lines over the demo seabed, the GPS sentences and the compass sentences.
#pragma once

#include "SimOptions.h"

#include <ctime>
#include <random>
#include <string>

struct VesselState {
    double lat, lon;    // degrees
    double course;      // degrees true, also the compass heading
    double knots;
    double pitch, roll; // compass values, degrees
};

class Instruments {
public:
    explicit Instruments(const SimOptions& options);

    VesselState vesselAt(double seconds) const;
    // The unit's answer to a ping of transducer -3..+3: "DnnnnFooooSoooo" CR LF.
    std::string readingLine(int transducer, double seconds);
    // One second's GGA, GLL and VTG sentences, with the configured faults; the sentences carry
    // the UTC time of day.
    std::string gpsSentences(double seconds, std::time_t utc);
    std::string compassSentence(double seconds);

private:
    SimOptions o_;
    std::mt19937 random_;
    std::normal_distribution<double> noise_{0.0, 1.0};
    std::uniform_real_distribution<double> unit_{0.0, 1.0};
};

// Metres of one degree of latitude, the same figure the program positions readings with.
constexpr double METRES_PER_DEGREE = 111111.0;
// "$" + body + "*" + checksum + CR LF.
std::string NmeaSentence(const std::string& body);
