#include "SimOptions.h"

#include <cstdlib>
#include <functional>
#include <map>

namespace {

constexpr char HELP[] = R"(Usage: swathsim [options]

Plays the instruments of a survey vessel on serial devices: the swath unit (answers the
module's commands: transducer selection, arming, jam values, pings 'p' and 'P', with one
reading line for the selected transducer), the GPS (GGA, GLL and VTG once a second along
survey lines) and the compass (checksummed heading, pitch and roll ten times a second).
Depths come from the demo area's seabed, echo values from its seabed classes with noise.
Without a device for an instrument a pseudo-terminal is created; the names are printed as
"sounder <device>", "gps <device>", "compass <device>", then "ready".

Devices:
  --sounder DEV          serial device of the swath unit
  --gps DEV              serial device of the GPS
  --compass DEV          serial device of the compass
  --no-compass           play no compass
  --sounder-baud N       (9600)   --gps-baud N (4800)   --compass-baud N (9600)
                         output is paced at these rates, also on pseudo-terminals
Survey:
  --lat DEG --lon DEG    start of the first line (57.695, 11.835: the demo area)
  --heading DEG          direction of the first line, degrees true (0)
  --lines N              number of survey lines, run back and forth (5)
  --line-length M        length of each line in metres (800)
  --spacing M            distance between lines in metres, to starboard (40)
  --speed KNOTS          vessel speed (5)
Unit:
  --frequency HZ         unit clock frequency (7680)
  --sound-speed M/S      speed of sound in water (1480)
Run:
  --seed N               seed of the noise (1)
  --bad-checksums F      share of GPS sentences with a wrong checksum, 0..1 (0)
  --garbage F            share of GPS seconds preceded by random bytes, 0..1 (0)
  --duration S           stop after S seconds (0: run until interrupted)
  --help                 this text
)";

} // namespace

std::optional<SimOptions> ParseSimOptions(int argc, char** argv, std::string& out, int& exitCode)
{
    SimOptions o;
    auto number = [](double& to) { return [&to](const char* v) { char* e; to = std::strtod(v, &e); return *e == 0; }; };
    auto whole = [](auto& to) {
        return [&to](const char* v) { char* e; long n = std::strtol(v, &e, 10); to = decltype(+to)(n); return *e == 0 && n >= 0; };
    };
    auto text = [](std::string& to) { return [&to](const char* v) { to = v; return !to.empty(); }; };
    std::map<std::string, std::function<bool(const char*)>> valued = {
        {"--sounder", text(o.sounderDevice)},  {"--gps", text(o.gpsDevice)},
        {"--compass", text(o.compassDevice)},  {"--sounder-baud", whole(o.sounderBaud)},
        {"--gps-baud", whole(o.gpsBaud)},      {"--compass-baud", whole(o.compassBaud)},
        {"--lat", number(o.lat)},              {"--lon", number(o.lon)},
        {"--heading", number(o.lineHeading)},  {"--lines", whole(o.lines)},
        {"--line-length", number(o.lineLength)}, {"--spacing", number(o.spacing)},
        {"--speed", number(o.knots)},          {"--frequency", whole(o.unitFrequency)},
        {"--sound-speed", number(o.speedOfSound)}, {"--seed", whole(o.seed)},
        {"--bad-checksums", number(o.badChecksums)}, {"--garbage", number(o.garbage)},
        {"--duration", number(o.duration)},
    };
    exitCode = 2;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            out = HELP;
            exitCode = 0;
            return std::nullopt;
        }
        if (arg == "--no-compass") {
            o.compass = false;
            continue;
        }
        auto option = valued.find(arg);
        if (option == valued.end()) {
            out = "swathsim: unknown option " + arg + " (see --help)\n";
            return std::nullopt;
        }
        if (i + 1 >= argc || !option->second(argv[++i])) {
            out = "swathsim: " + arg + " needs a valid value (see --help)\n";
            return std::nullopt;
        }
    }
    if (o.lines < 1 || o.lineLength <= 0 || o.knots < 0 || o.unitFrequency <= 0 || o.speedOfSound <= 0 ||
        o.gpsBaud <= 0 || o.sounderBaud <= 0 || o.compassBaud <= 0) {
        out = "swathsim: lines, line length, frequency, sound speed and baud rates must be positive\n";
        return std::nullopt;
    }
    return o;
}
