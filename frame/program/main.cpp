// tidevane: the chart, the survey and the recording of a survey vessel.
//
//   tidevane [--module Sonkel32d|Sonkel32r] [--startup-wait MS] [--play] [--autoscroll]
//            [--grab FILE --after SECONDS] [/b]
//
// --module       the acquisition module to load: Sonkel32r replays "c:\varnel\testdata",
//                Sonkel32d works with the instruments (default: [Program] Module= in VARNEL.INI,
//                else Sonkel32r)
// --startup-wait how long the start-up picture shows, in milliseconds (default 5000; also
//                TIDEVANE_STARTUP_WAIT_MS)
// --play         start replaying at once
// --autoscroll   follow the vessel from the start
// --grab, --after  save a picture of the main window after that many seconds, then quit
// /b             start the chart engine blank
#include "frame/Program.h"

#include "platform/files.h"
#include "platform/gui.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    win::startGuiPlatform();
    if (!win::PrepareDataRoot()) {
        std::fprintf(stderr, "Cannot prepare the data folder %s\n", win::DataRoot().c_str());
        return 1;
    }
    const ProgramOptions options = ParseProgramOptions(argc, argv);
    if (!options.error.empty()) {
        std::fprintf(stderr, "%s\n", options.error.c_str());
        return 2;
    }
    return VarnelMain(options);
}
