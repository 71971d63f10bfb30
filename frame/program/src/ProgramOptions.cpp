// The program's command line and its workstation settings: module, start-up wait, replay and
// scrolling at start, the timed picture, a blank chart.
#include "frame/Program.h"

#include "platform/profile.h"

#include <cstdlib>
#include <cstring>
#include <string>

ProgramOptions programOptions;

namespace {

bool readNumber(const char* text, int& value)
{
    char* end = nullptr;
    const long number = std::strtol(text, &end, 10);
    if (!*text || *end || number < 0 || number > 86400000)
        return false;
    value = int(number);
    return true;
}

} // namespace

ProgramOptions ParseProgramOptions(int argc, char** argv)
{
    ProgramOptions options;
    // A survey workstation names its module once in the settings; the command line overrides.
    char module[64] = "";
    if (GetPrivateProfileStringA("Program", "Module", "", module, sizeof module, "VARNEL.INI") > 0)
        options.module = module;
    if (const char* wait = std::getenv("TIDEVANE_STARTUP_WAIT_MS"))
        readNumber(wait, options.startupWaitMs);
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        int seconds = 0;
        if (arg == "--module" && hasValue)
            options.module = argv[++i];
        else if (arg == "--startup-wait" && hasValue && readNumber(argv[i + 1], options.startupWaitMs))
            ++i;
        else if (arg == "--play")
            options.play = true;
        else if (arg == "--autoscroll")
            options.autoScroll = true;
        else if (arg == "--grab" && hasValue)
            options.grabFile = argv[++i];
        else if (arg == "--after" && hasValue && readNumber(argv[i + 1], seconds)) {
            options.grabAfterMs = seconds * 1000;
            ++i;
        } else if (arg == "/b" || arg == "/B")
            options.blankCharts = true;
        else if (options.error.empty())
            options.error = "Unknown option or missing value: " + arg;
    }
    return options;
}
