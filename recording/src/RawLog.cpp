#include "recording/RawLog.h"
#include "recording/VesselState.h"
#include "frame/Inifile.h"
#include "platform/files.h"
#include "platform/messages.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <strings.h>

namespace {

FILE* rawLogFile = nullptr;
char rawLogName[256] = "";
const TrackPoint* rawLogReading = &lastSlotPoints[0];

constexpr int IDC_FILE_NAME = 1152; // the file name field of the save-file dialog

bool loggingOff() { return strcasecmp(rawLogName, "nul") == 0; }

// The save-file dialog: a chosen name replaces the one held; a cancelled dialog keeps it.
void chooseLogFile()
{
    auto answer = win::scripted::takeDialog("Select Raw Logging File");
    if (!answer || answer->code != IDOK)
        return;
    auto name = answer->controls.find(IDC_FILE_NAME);
    if (name != answer->controls.end() && !name->second.empty())
        std::snprintf(rawLogName, sizeof rawLogName, "%s", name->second.c_str());
}

} // namespace

int RawLogSwitch(HWND, int on)
{
    if (on) {
        if (rawLogFile)
            return 1;
        GetVarnelProfileString("Files", "CurrentRawLog", rawLogName);
        if (loggingOff())
            return 0;
        chooseLogFile();
        rawLogFile = win::fopen(rawLogName, "w");
        if (!rawLogFile)
            return errno;
        rawLogReading = &lastSlotPoints[0];
        return 0;
    }
    if (loggingOff())
        return 0;
    if (!rawLogFile)
        return 1;
    WriteVarnelProfileString("Files", "CurrentRawLog", rawLogName);
    std::fclose(rawLogFile);
    rawLogFile = nullptr;
    return 0;
}

extern "C" int RawLog(const char* sentence)
{
    if (!rawLogFile)
        return 1;
    size_t length = std::strcspn(sentence, "\r\n");
    std::fwrite(sentence, 1, length, rawLogFile);
    const TrackPoint& r = *rawLogReading;
    std::fprintf(rawLogFile, ",%03.1f,%01.3f,%01.3f,%d\n", r.depth, r.e1 * r.e1, r.e2 * r.e2, r.colour);
    // Each line reaches the file at once: a log is read while a survey runs.
    std::fflush(rawLogFile);
    return 0;
}
