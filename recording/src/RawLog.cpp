#include "recording/RawLog.h"
#include "RawLogFile.h"
#include "recording/VesselState.h"

#include <cstdio>
#include <cstring>

FILE* rawLogFile = nullptr;
const TrackPoint* rawLogReading = &lastSlotPoints[0];

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
