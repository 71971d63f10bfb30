// The checks before anything is written: the status file, the object counts and tracks.inf.
#include "Console.h"
#include "Steps.h"
#include "TrackFiles.h"

#include "platform/files.h"

#include <cstdio>
#include <memory>
#include <string>

namespace replaymake {
namespace {

constexpr double VERSION = 5.0;
constexpr long MONO_STATUS_BYTES = sizeof(TrackStatusDisk);
constexpr long STEREO_STATUS_BYTES = 44;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::optional<int> CheckTrackStatus()
{
    std::string statusPath = std::string("c:\\varnel\\database\\") + TRACK_OVERLAY_FOLDER + "\\" + TRACK_STATUS_FILE;
    File status{win::fopen(statusPath.c_str(), "rb")};
    if (!status) {
        Complain("Failed opening ovl00001\\trkstat.inf\n");
        return ExitAfterKey(EXIT_NO_TRACK_STATUS);
    }
    std::fseek(status.get(), 0, SEEK_END);
    long size = std::ftell(status.get());
    if (size == MONO_STATUS_BYTES)
        return std::nullopt;
    Complain("ovl00001\\trkstat.inf is the wrong size\n");
    if (size == STEREO_STATUS_BYTES)
        Complain("You appear to have a stereo database\n");
    status.reset();
    return ExitAfterKey(EXIT_STEREO_DATABASE);
}

// The depth range file is read as the other programs read it; its values do not change the
// replay files.
void ReadDepthRange()
{
    if (win::access("c:\\varnel\\dprange.ini", 0) != 0)
        return;
    File range{win::fopen("c:\\varnel\\dprange.ini", "r")};
    if (!range) {
        Complain("Failed opening dprange.ini file\n");
        return;
    }
    int top, bottom;
    if (std::fscanf(range.get(), "%d%d", &top, &bottom) != 2)
        Complain("Failed reading dprange.ini file\n");
}

// Counts from objects.inf, or when it is missing a check of tracks.inf's length.
std::optional<int> ReportObjects()
{
    File objects{win::fopen(OBJECTS_INF, "rb")};
    if (objects) {
        static const char* const reports[2] = {
            "ovl00001\\objects.inf reports %d tracks in total (including deleted tracks)\n",
            "ovl00001\\objects.inf reports %d live tracks\n"};
        for (const char* report : reports) {
            ObjectCounts counts;
            if (std::fread(&counts, sizeof counts, 1, objects.get()) != 1) {
                Complain("Failed reading ovl00001\\objects.inf\n");
                break;
            }
            Say(report, counts.tracks);
        }
        return std::nullopt;
    }
    Complain("Failed opening ovl00001\\objects.inf\n");
    Say("Calculating number of tracks from length of tracks.inf..\n");
    if (win::access(TRACKS_INF, 0) != 0) {
        Complain("Can't find ovl00001\\tracks.inf\n");
        return ExitAfterKey(EXIT_NO_TRACKS_INF);
    }
    int64_t size = win::fileSize(TRACKS_INF);
    if (size < 0) {
        Complain("Error getting dos file information on tracks.inf\n");
        return ExitAfterKey(EXIT_TRACKS_INF_UNREADABLE);
    }
    if (size % TRACKS_INF_ENTRY_BYTES != 0) {
        Complain("Tracks.inf is an incorrect length\n");
        return ExitAfterKey(EXIT_TRACKS_INF_DAMAGED);
    }
    Say("ovl00001\\tracks.inf holds %ld tracks in total (including deleted tracks)\n",
        long(size / TRACKS_INF_ENTRY_BYTES));
    return std::nullopt;
}

} // namespace

int ExitAfterKey(int code)
{
    AskKey("Press a key\n");
    return code;
}

std::optional<int> RunStartChecks()
{
    Say("Database replay \"make\" utility for Swath version %4.2f\n", VERSION);
    Say("MONO Version - Not Compatible with STEREO databases\n");
    if (auto code = CheckTrackStatus())
        return code;
    win::SetCurrentDirectory("c:");
    ReadDepthRange();
    if (!win::SetCurrentDirectory("c:\\varnel\\database\\ovl00001")) {
        Complain("Failed changing into ovl00001 directory\n");
        return ExitAfterKey(EXIT_NO_OVERLAY_FOLDER);
    }
    if (auto code = ReportObjects())
        return code;
    ReadKey();
    return std::nullopt;
}

} // namespace replaymake
