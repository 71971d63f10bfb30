// swathsim: the instruments of a survey vessel on serial lines, for users without hardware and
// for the tests. See --help.
#include "Instruments.h"
#include "SimOptions.h"
#include "SimPort.h"
#include "SwathUnit.h"

#include <atomic>
#include <csignal>
#include <ctime>
#include <cstdio>
#include <memory>
#include <poll.h>
#include <thread>

namespace {

std::atomic<bool> stopping{false};

void stop(int) { stopping = true; }

} // namespace

int main(int argc, char** argv)
{
    std::string message;
    int exitCode = 0;
    auto options = ParseSimOptions(argc, argv, message, exitCode);
    if (!options) {
        std::fputs(message.c_str(), exitCode == 0 ? stdout : stderr);
        return exitCode;
    }
    std::signal(SIGINT, stop);
    std::signal(SIGTERM, stop);
    std::signal(SIGPIPE, SIG_IGN);

    std::unique_ptr<SimPort> sounder, gps, compass;
    try {
        sounder = std::make_unique<SimPort>(options->sounderDevice, options->sounderBaud);
        gps = std::make_unique<SimPort>(options->gpsDevice, options->gpsBaud);
        if (options->compass)
            compass = std::make_unique<SimPort>(options->compassDevice, options->compassBaud);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "swathsim: %s\n", e.what());
        return 1;
    }
    std::printf("sounder %s\ngps %s\n", sounder->name().c_str(), gps->name().c_str());
    if (compass)
        std::printf("compass %s\n", compass->name().c_str());
    std::printf("ready\n");
    std::fflush(stdout);

    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    auto seconds = [&](Clock::time_point t) { return std::chrono::duration<double>(t - start).count(); };
    Instruments instruments(*options);
    SwathUnit unit([&](int transducer) { return instruments.readingLine(transducer, seconds(Clock::now())); });
    long gpsSecond = -1;
    long compassTenth = -1;

    while (!stopping) {
        auto now = Clock::now();
        double t = seconds(now);
        if (options->duration > 0 && t >= options->duration)
            break;
        if (long(t) != gpsSecond) {
            gpsSecond = long(t);
            gps->queue(instruments.gpsSentences(double(gpsSecond), std::time(nullptr)));
        }
        if (compass && long(t * 10) != compassTenth) {
            compassTenth = long(t * 10);
            compass->queue(instruments.compassSentence(t));
        }
        sounder->queue(unit.feed(sounder->take()));
        for (SimPort* port : {sounder.get(), gps.get(), compass.get()})
            if (port)
                port->pump(now);
        // Commands are answered within a few milliseconds; output drains at its baud rate.
        pollfd wait{sounder->fd(), POLLIN, 0};
        ::poll(&wait, 1, 5);
    }
    return 0;
}
