#include "Console.h"
#include "Steps.h"
#include "TrackFiles.h"

#include "platform/files.h"

#include <cmath>
#include <cstdlib>

namespace replaymake {
namespace {

constexpr int LINES_PER_PAGE = 21;
constexpr int UNKNOWN_BEAM = 4;

// Whole degrees, minutes and hemisphere letter of a coordinate, as the listing shows them.
struct ListedAngle {
    long degrees;
    double minutes;
    char letter;
};

ListedAngle ListedAngleOf(int32_t value, char positive, char negative)
{
    double degrees = std::fabs(value * 1e-7);
    return ListedAngle{long(std::llabs(int64_t(value)) / 10000000),
                       (degrees - std::floor(degrees)) * 60.0, value < 0 ? negative : positive};
}

void ListEntry(const TrackInfoDisk& info, int beam)
{
    ListedAngle left = ListedAngleOf(info.leftlon, 'E', 'W');
    ListedAngle right = ListedAngleOf(info.rightlon, 'E', 'W');
    ListedAngle top = ListedAngleOf(info.toplat, 'N', 'S');
    ListedAngle bottom = ListedAngleOf(info.bottomlat, 'N', 'S');
    Say("%5ld  %03ld %05.2lf%c  %03ld %05.2lf%c  %02ld %05.2lf%c  %02ld %05.2lf%c  %7ld  %+d \n",
        long(info.handle), left.degrees, left.minutes, left.letter, right.degrees, right.minutes,
        right.letter, top.degrees, top.minutes, top.letter, bottom.degrees, bottom.minutes,
        bottom.letter, long(info.points), beam);
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
    if (std::FILE* tracksInf = win::fopen("tracks.inf", "rb")) {
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
