#include "frame/StartupFiles.h"

#include "chart/ChartWindow.h"
#include "chart/TrackDrawing.h"
#include "database/DbFiles.h"
#include "frame/Inifile.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "recording/VesselState.h"

#include <cstdio>
#include <cstring>
#include <functional>

double offsetValues[2] = {};
char databaseDrive = 'C';

namespace {

enum class Read { Absent, Done, Failed };

void warn(const char* text)
{
    MessageBeep(MB_ICONEXCLAMATION);
    MessageBoxA(nullptr, text, db::APPLICATION_TITLE, MB_ICONEXCLAMATION);
}

// A file that exists is opened and read with one scan; `scan` returns whether it read all its
// values.
Read readOneValueFile(const char* path, const char* openFailure, const char* readFailure,
                      const std::function<bool(FILE*)>& scan)
{
    if (win::access(path, 0) != 0)
        return Read::Absent;
    FILE* file = win::fopen(path, "rb");
    if (!file) {
        warn(openFailure);
        return Read::Failed;
    }
    const bool read = scan(file);
    std::fclose(file);
    if (!read) {
        warn(readFailure);
        return Read::Failed;
    }
    return Read::Done;
}

// The drive named in "drive.ini" must take a file, else the databases stay on C:.
void testDatabaseDrive()
{
    char path[32];
    std::snprintf(path, sizeof path, "%c:\\sedrixtemp.$$$", databaseDrive);
    if (FILE* probe = win::fopen(path, "w")) {
        std::fclose(probe);
        win::remove(path);
        return;
    }
    char text[96];
    std::snprintf(text, sizeof text, "Problem encountered with drive %c. Using default drive C: instead", databaseDrive);
    MessageBeep(MB_ICONHAND);
    MessageBoxA(nullptr, text, db::APPLICATION_TITLE, MB_ICONHAND);
    databaseDrive = 'C';
}

} // namespace

void ReadStartupFiles(bool hasTrackHeading, bool hasTrackKnots)
{
    readOneValueFile("c:\\varnel\\heading.ini", "Failed opening heading file", "Failed reading heading file",
                     [](FILE* f) { return std::fscanf(f, "%i", &headingSetting) == 1; });
    if (!hasTrackHeading)
        headingSetting = 0;
    fReadVesselKnots = hasTrackKnots;
    long frequency = 0;
    if (readOneValueFile("c:\\varnel\\freq.ini", "Failed opening frequency file", "Failed reading frequency file",
                         [&](FILE* f) { return std::fscanf(f, "%ld", &frequency) == 1; }) == Read::Done)
        sounderFrequency = frequency;
    char drive = 'C';
    const Read driveRead =
        readOneValueFile("c:\\varnel\\drive.ini", "Failed opening drive letter file", "Failed reading drive letter file",
                         [&](FILE* f) { return std::fscanf(f, "%c", &drive) == 1; });
    databaseDrive = 'C';
    if (driveRead == Read::Done) {
        databaseDrive = drive;
        testDatabaseDrive();
    }
    double offsets[2] = {};
    if (readOneValueFile("c:\\varnel\\offset.ini", "Failed opening offset file", "Failed reading offset file",
                         [&](FILE* f) { return std::fscanf(f, "%lf%lf", &offsets[0], &offsets[1]) == 2; }) == Read::Done)
        std::memcpy(offsetValues, offsets, sizeof offsets);
    double draft = 0;
    if (readOneValueFile("c:\\varnel\\draft.ini", "Failed opening draft correction file",
                         "Failed reading draft correction file",
                         [&](FILE* f) { return std::fscanf(f, "%lf", &draft) == 1; }) == Read::Done)
        transducerDraft = draft;
    double speed = 0;
    if (readOneValueFile("c:\\varnel\\sp_sound.ini", "Failed opening speed of sound correction file",
                         "Failed reading speed of sound correction file",
                         [&](FILE* f) { return std::fscanf(f, "%lf", &speed) == 1; }) == Read::Done)
        SPEEDOFSOUND = speed;
    int centre = 0;
    if (readOneValueFile("c:\\varnel\\centre.ini", "Failed opening file \"centre.ini\"", "Failed reading file \"centre.ini\"",
                         [&](FILE* f) { return std::fscanf(f, "%i", &centre) == 1; }) == Read::Done &&
        centre != 0)
        innerBoxFactor = 0.5;
    int measure = 0;
    if (readOneValueFile("c:\\varnel\\measure.ini", "Failed opening file \"measure.ini\"",
                         "Failed reading file \"measure.ini\"",
                         [&](FILE* f) { return std::fscanf(f, "%i", &measure) == 1; }) == Read::Done)
        measureUnits = measure;
}
