#include "SurveyPlan.h"

#include "recording/SwathGeometry.h"
#include "seabed/seabedecho.h"
#include "seabed/seabedmodel.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// The first line passes just north of the shoal, each next one a spacing further north.
constexpr double FIRST_LINE_NORTH_KM = -0.64;
constexpr double LINE_SPACING_KM = 0.1;
constexpr double WEST_END_KM = -1.4;      // in the deep mud, clear of the island
constexpr double EAST_LIMIT_KM = 1.6;     // past the coast: a line always ends before it
constexpr double SHALLOWEST_METRES = 6.0; // a line ends before the water gets shallower
constexpr double STEP_KM = 0.01;

constexpr double KNOTS = 6.0;
constexpr double METRES_PER_SECOND = KNOTS * 1852.0 / 3600.0;
// A slow ping rate keeps the demo small: each transducer reads about every 13 m of track.
constexpr double PING_SECONDS = 0.6;
constexpr int SCAN[] = {-3, -2, -1, 0, 1, 2, 3};

// What a beam can reach: a reading over land still sounds half a metre.
double SoundedDepth(int32_t lat, int32_t lon) { return std::max(0.5, seabed::depthAt(lat * 1e-7, lon * 1e-7)); }

double WaterDepth(double northKm, double eastKm)
{
    const seabed::LatLon p = seabed::fromLocalKm({eastKm, northKm});
    return seabed::depthAt(p.lat, p.lon);
}

// The east end of a line: the last step east of the west end with enough water under the keel.
double EastEnd(double northKm)
{
    double east = WEST_END_KM;
    while (east + STEP_KM < EAST_LIMIT_KM && WaterDepth(northKm, east + STEP_KM) >= SHALLOWEST_METRES)
        east += STEP_KM;
    return east;
}

// One ping: the slant range at which the transducer's beam meets the seabed, found by placing
// the reading with the program's own geometry until the depth under its seabed point settles,
// and the echo of the seabed there.
SwathReading Ping(SwathReading vessel, std::mt19937& random)
{
    const double beam = beamAngles[BeamSlot(vessel.transducer)] * std::numbers::pi / 180.0;
    SwathReading placed = vessel;
    double depth = SoundedDepth(vessel.lat, vessel.lon);
    for (int i = 0; i < 4; ++i) {
        placed = vessel;
        placed.depth = float(depth / std::cos(beam));
        CalculateSwathPosition(&placed);
        depth = SoundedDepth(placed.lat, placed.lon);
    }
    SwathReading reading = vessel;
    reading.depth = float(depth / std::cos(beam));
    const seabed::Echo mean = seabed::meanEcho(seabed::seabedKindAt(placed.lat * 1e-7, placed.lon * 1e-7, depth));
    std::normal_distribution<double> noise(0.0, seabed::kEchoNoiseVolts);
    reading.e1 = float(std::max(0.0, mean.e1 + noise(random)));
    reading.e2 = float(std::max(0.0, mean.e2 + noise(random)));
    return reading;
}

} // namespace

std::vector<SurveyLine> DemoSurveyLines(int count)
{
    std::vector<SurveyLine> lines;
    for (int i = 0; i < count; ++i) {
        const double north = FIRST_LINE_NORTH_KM + i * LINE_SPACING_KM;
        const double east = EastEnd(north);
        lines.push_back(i % 2 == 0 ? SurveyLine{north, WEST_END_KM, east} : SurveyLine{north, east, WEST_END_KM});
    }
    return lines;
}

std::vector<SwathReading> PingSurveyLine(const SurveyLine& line, uint32_t startTime, std::mt19937& random)
{
    const double lengthMetres = std::fabs(line.endEastKm - line.startEastKm) * 1000.0;
    const double direction = line.endEastKm > line.startEastKm ? 1.0 : -1.0;
    const int pings = int(lengthMetres / METRES_PER_SECOND / PING_SECONDS);
    std::vector<SwathReading> readings;
    readings.reserve(size_t(pings));
    for (int k = 0; k < pings; ++k) {
        const double seconds = k * PING_SECONDS;
        const double east = line.startEastKm + direction * METRES_PER_SECOND * seconds / 1000.0;
        const seabed::LatLon at = seabed::fromLocalKm({east, line.northKm});
        SwathReading vessel{};
        vessel.lat = int32_t(std::lround(at.lat * 1e7));
        vessel.lon = int32_t(std::lround(at.lon * 1e7));
        vessel.heading = direction > 0 ? 90.0f : 270.0f;
        vessel.transducer = SCAN[k % std::size(SCAN)];
        vessel.time = int32_t(startTime + uint32_t(seconds));
        readings.push_back(Ping(vessel, random));
    }
    return readings;
}
