#include "Instruments.h"

#include "seabed/seabedecho.h"
#include "seabed/seabedmodel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr double RADIANS = M_PI / 180.0;
constexpr double METRES_PER_SECOND_PER_KNOT = 1852.0 / 3600.0;

// Moves a position by metres east and north.
void move(double& lat, double& lon, double east, double north)
{
    lon += east / (METRES_PER_DEGREE * std::cos(lat * RADIANS));
    lat += north / METRES_PER_DEGREE;
}

// "hhmmss.00" of a UTC time.
std::string timeOfDay(std::time_t utc)
{
    long s = long(utc % 86400);
    char text[16];
    std::snprintf(text, sizeof text, "%02ld%02ld%02ld.00", s / 3600, s / 60 % 60, s % 60);
    return text;
}

std::string angle(double degrees, int width, char positive, char negative)
{
    double a = std::fabs(degrees);
    int whole = int(a);
    char text[32];
    std::snprintf(text, sizeof text, "%0*d%07.4f,%c", width, whole, (a - whole) * 60.0, degrees < 0 ? negative : positive);
    return text;
}

} // namespace

std::string NmeaSentence(const std::string& body)
{
    unsigned char sum = 0;
    for (char c : body)
        sum ^= static_cast<unsigned char>(c);
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", sum);
    return "$" + body + tail;
}

Instruments::Instruments(const SimOptions& options) : o_(options), random_(options.seed) {}

VesselState Instruments::vesselAt(double seconds) const
{
    double run = o_.knots * METRES_PER_SECOND_PER_KNOT * seconds;
    int line = int(run / o_.lineLength) % o_.lines;
    double along = std::fmod(run, o_.lineLength);
    bool back = line % 2 == 1;
    double h = o_.lineHeading * RADIANS;
    // Lines lie side by side to starboard of the first; every other one runs back.
    double startAlong = back ? o_.lineLength : 0.0;
    double distance = back ? startAlong - along : along;
    double across = line * o_.spacing;
    VesselState v{o_.lat, o_.lon, std::fmod(o_.lineHeading + (back ? 180.0 : 0.0) + 360.0, 360.0), o_.knots, 0, 0};
    move(v.lat, v.lon, distance * std::sin(h) + across * std::cos(h), distance * std::cos(h) - across * std::sin(h));
    v.pitch = 2.0 * std::sin(seconds * 0.5);
    v.roll = 3.0 * std::sin(seconds * 0.7);
    return v;
}

std::string Instruments::readingLine(int transducer, double seconds)
{
    VesselState v = vesselAt(seconds);
    // The beam of transducer t looks 15 t degrees to port, tilted by the roll; positive compass
    // pitch looks forward.
    double acrossAngle = (15.0 * transducer + v.roll) * RADIANS;
    double alongAngle = v.pitch * RADIANS;
    double h = v.course * RADIANS;
    double depth = std::max(0.5, seabed::depthAt(v.lat, v.lon));
    double lat = v.lat, lon = v.lon;
    for (int i = 0; i < 4; ++i) { // where the slanted beam meets the seabed
        double port = depth * std::tan(acrossAngle);
        double ahead = depth * std::tan(alongAngle);
        lat = v.lat;
        lon = v.lon;
        move(lat, lon, ahead * std::sin(h) - port * std::cos(h), ahead * std::cos(h) + port * std::sin(h));
        depth = std::max(0.5, seabed::depthAt(lat, lon));
    }
    double slant = depth / (std::cos(acrossAngle) * std::cos(alongAngle)) + 0.03 * noise_(random_);
    long count = std::clamp(std::lround(slant * 2.0 * o_.unitFrequency / o_.speedOfSound), 0L, 9999L);
    const seabed::Echo echo = seabed::meanEcho(seabed::seabedKindAt(lat, lon, depth));
    auto raw = [&](double volts) {
        double v = std::max(0.0, volts + seabed::kEchoNoiseVolts * noise_(random_));
        return std::clamp(std::lround(v * v * 1000.0), 0L, 07777L);
    };
    char line[32];
    std::snprintf(line, sizeof line, "%c%04ldF%04loS%04lo\r\n", 'D' + transducer, count, raw(echo.e1), raw(echo.e2));
    return line;
}

std::string Instruments::gpsSentences(double seconds, std::time_t utc)
{
    VesselState v = vesselAt(seconds);
    std::string out;
    if (unit_(random_) < o_.garbage) {
        int length = 1 + int(unit_(random_) * 200);
        for (int i = 0; i < length; ++i)
            out += char(unit_(random_) * 256);
    }
    std::string position = angle(v.lat, 2, 'N', 'S') + "," + angle(v.lon, 3, 'E', 'W');
    char course[64];
    std::snprintf(course, sizeof course, "%05.1f,T,%05.1f,M,%.1f,N,%.1f,K,A", v.course, v.course, v.knots, v.knots * 1.852);
    for (std::string body : {"GPGGA," + timeOfDay(utc) + "," + position + ",1,08,0.9,0.0,M,0.0,M,,",
                             "GPGLL," + position + "," + timeOfDay(utc) + ",A,A", std::string("GPVTG,") + course}) {
        std::string sentence = NmeaSentence(body);
        if (unit_(random_) < o_.badChecksums)
            sentence[sentence.size() - 3] = sentence[sentence.size() - 3] == '0' ? '1' : '0';
        out += sentence;
    }
    return out;
}

std::string Instruments::compassSentence(double seconds)
{
    VesselState v = vesselAt(seconds);
    char body[64];
    std::snprintf(body, sizeof body, "PTCMP,%.1f,%.2f,%.2f", v.course, v.pitch, v.roll);
    return NmeaSentence(body);
}
