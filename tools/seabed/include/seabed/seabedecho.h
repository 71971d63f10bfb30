// The seabed kinds of the demo area and the echo values the swath unit reads over them: one
// model for the instrument simulator and the demo survey, so that a box file made for one
// classifies the other alike.
#pragma once

#include <cmath>

namespace seabed {

// Shallow sand, gravel patches among muddy sand on the slopes, deep mud.
enum class SeabedKind { Sand, Gravel, MuddySand, Mud };
inline constexpr SeabedKind kSeabedKinds[] = {SeabedKind::Sand, SeabedKind::Gravel, SeabedKind::MuddySand,
                                              SeabedKind::Mud};

inline const char* seabedKindName(SeabedKind kind)
{
    switch (kind) {
    case SeabedKind::Sand: return "Sand";
    case SeabedKind::Gravel: return "Gravel";
    case SeabedKind::MuddySand: return "Muddy Sand";
    case SeabedKind::Mud: return "Mud";
    }
    return "";
}

// The kinds are told apart by depth (metres); the gravel patches lie in a pattern of about
// 75 m across the slopes. Position in degrees.
inline SeabedKind seabedKindAt(double lat, double lon, double depth)
{
    if (depth < 12.0)
        return SeabedKind::Sand;
    if (depth > 40.0)
        return SeabedKind::Mud;
    const double patch = std::sin(lat * 9000.0) * std::sin(lon * 5000.0);
    return patch > 0.2 ? SeabedKind::Gravel : SeabedKind::MuddySand;
}

// Mean E1 and E2 of a kind, volts.
struct Echo {
    double e1, e2;
};
inline Echo meanEcho(SeabedKind kind)
{
    switch (kind) {
    case SeabedKind::Sand: return {1.1, 0.8};
    case SeabedKind::Gravel: return {1.6, 1.3};
    case SeabedKind::MuddySand: return {0.8, 0.55};
    case SeabedKind::Mud: return {0.45, 0.3};
    }
    return {0.0, 0.0};
}

// Standard deviation of single readings around the mean, volts.
inline constexpr double kEchoNoiseVolts = 0.04;

} // namespace seabed
