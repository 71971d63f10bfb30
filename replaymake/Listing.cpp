// The listing of tracks.inf a page at a time, with each track's rectangle and beam.
#include "Console.h"
#include "ReplayFormats.h"
#include "Steps.h"
#include "TrackFiles.h"

#include "platform/files.h"


namespace replaymake {
namespace {

constexpr int LINES_PER_PAGE = 21;
constexpr int UNKNOWN_BEAM = 4;

void ListEntry(const TrackInfoDisk& info, int beam)
{
    const DegreesMinutes left = DegreesMinutesOf(info.leftlon), right = DegreesMinutesOf(info.rightlon),
                         top = DegreesMinutesOf(info.toplat), bottom = DegreesMinutesOf(info.bottomlat);
    auto eastWest = [](const DegreesMinutes& a) { return a.negative ? 'W' : 'E'; };
    auto northSouth = [](const DegreesMinutes& a) { return a.negative ? 'S' : 'N'; };
    Say("%5ld  %03ld %05.2lf%c  %03ld %05.2lf%c  %02ld %05.2lf%c  %02ld %05.2lf%c  %7ld  %+d \n",
        long(info.handle), long(left.degrees), left.minutes, eastWest(left), long(right.degrees),
        right.minutes, eastWest(right), long(top.degrees), top.minutes, northSouth(top),
        long(bottom.degrees), bottom.minutes, northSouth(bottom), long(info.points), beam);
}

// Lists the entries, pausing after every page; Esc (or the end of input) ends the listing.
void ListEntries(std::FILE* tracksInf)
{
    const BeamTable beams = BeamTable::Load();
    Say("Info in tracks.inf (unsorted) is as follows:\n\n");
    Say("Handle   Leftlon    Rightlon    Toplat    Bottomlat    Points  Beam\n");
    int printed = 0;
    uint32_t entryNumber = 0;
    for (const auto& entry : ReadTracksInf(tracksInf)) {
        ++entryNumber;
        if (entry.info.handle != CURRENT_TRACK_HANDLE) {
            // A deleted entry keeps its beam under the handle it had.
            uint32_t beamHandle = entry.info.handle ? entry.info.handle : entryNumber;
            ListEntry(entry.info, beams.Transducer(beamHandle).value_or(UNKNOWN_BEAM));
            if (++printed % LINES_PER_PAGE == 0) {
                int key = ReadKey();
                if (key == KEY_ESCAPE || key == END_OF_INPUT)
                    return;
            }
        }
        if (!entry.positionRecordRead) {
            Complain("Failed reading filepos struct from ovl00001\\tracks.inf\n");
            return;
        }
    }
}

} // namespace

void ListTracks()
{
    if (std::FILE* tracksInf = win::fopen(TRACKS_INF, "rb")) {
        ListEntries(tracksInf);
        std::fclose(tracksInf);
    } else {
        Complain("Failed opening ovl00001\\tracks.inf\n");
    }
    Say("End of file\n");
    ReadKey();
    Say("\nUsing the database to generate replay text files\n");
}

} // namespace replaymake
