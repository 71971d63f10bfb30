// libFuzzer target: arbitrary bytes as one of the active database's own files (overlays.inf, the
// track overlay's tracks.inf and objects.inf, trkstat.inf, a stored track's point file), read
// through the database library's readers. The first byte picks the file, the rest is its content.
// Whatever a file holds, nothing crashes or hangs, and what the readers hand out stays within what
// was asked for.
#include "FuzzCheck.h"

#include "database/CurrentTrack.h"
#include "database/OverlayStore.h"
#include "database/TrackStore.h"
#include "platform/files.h"

#include <array>
#include <cstring>
#include <vector>

namespace {

namespace fs = std::filesystem;

const char* const FILES[] = {"overlays.inf", "ovl00001\\tracks.inf", "ovl00001\\objects.inf",
                             "ovl00001\\trkstat.inf", "ovl00001\\trk00002.dat"};
constexpr size_t FILE_COUNT = std::size(FILES);

fs::path hostOf(size_t file) { return *win::HostPath(std::string("c:\\varnel\\database\\") + FILES[file]); }

// A database with one stored track of three points, and its files as they were made.
std::array<std::string, FILE_COUNT> pristine;

void makeDatabase()
{
    fuzz::root();
    check(DBInitialiseDatabase('C') == 1);
    TrackInfo& current = globalcurrenttrackinfos[0];
    for (int i = 0; i < 3; ++i) {
        TrackPoint p{float(10 + i), 0.5f, 0.25f, 500000000 + i * 1000, 10000000 - i * 1000, 3};
        check(RecordCurrentTrackPoint(&current, &p, 1000u + uint32_t(i)) == 0);
    }
    TrackInfo stored = current;
    check(DBSaveCurrentTrack(&stored) == 1 && stored.handle == 2);
    for (size_t f = 0; f < FILE_COUNT; ++f)
        pristine[f] = TempDataRoot::readFile(hostOf(f));
    fuzz::forgetBoxes();
}

void readOverlays()
{
    int user = -1;
    if (GetNoOfOverlays(&user)) {
        check(user >= 0);
        std::vector<OverlayInfo> overlays(size_t(user) + 2);
        check(GetOverlays(overlays.data()) == 1);
        for (const OverlayInfo& o : overlays)
            check(o.handle != 0 && std::memchr(o.name, 0, sizeof o.name) != nullptr);
        std::vector<uint32_t> handles(size_t(user) + 1);
        DBGetOverlaysHandleTable(handles.data());
    }
    for (uint32_t handle = 1; handle <= 3; ++handle) {
        char folder[13];
        if (_DBGetOvyDirName(handle, folder, "database"))
            check(std::memchr(folder, 0, sizeof folder) != nullptr);
    }
}

void readPoints(TrackInfo track)
{
    std::vector<TrackPoint> buffer(TRACK_BLOCK_POINTS);
    TrackBlock block{buffer.data(), 0, 0};
    // Each block moves on by what it read, so a file of n points takes n / block + 1 reads.
    for (int reads = 0; reads < 4 && DBReadTrackDataBlock(&track, &block, "database"); ++reads) {
        check(block.count >= 0 && block.count <= TRACK_BLOCK_POINTS);
        if (block.count < TRACK_BLOCK_POINTS)
            break;
    }
    int transducer = 0;
    if (DBGetTrackBeam(track.handle, &transducer) == 0)
        check(transducer >= -3 && transducer <= 3);
}

void readObjects()
{
    const RECT view{0, 510000000, 20000000, 490000000};
    for (uint32_t overlay : {TRACK_OVERLAY, FOULS_OVERLAY}) {
        uint16_t counts[5];
        for (const RECT* rect : {static_cast<const RECT*>(nullptr), &view}) {
            if (!DBGetNoOfObjectsInDataRect(overlay, counts, rect, "database"))
                continue;
            std::vector<uint32_t> handles(16);
            if (!DBGetHandleTable(overlay, OBJ_TRACK, handles.data(), uint32_t(handles.size()), "database"))
                continue;
            handles.resize(std::min<size_t>(counts[4], handles.size()));
            for (uint32_t handle : handles) {
                TrackInfo track{};
                track.handle = handle;
                if (DBGetObjectInfo(overlay, OBJ_TRACK, &track, "database") && overlay == TRACK_OVERLAY)
                    readPoints(track);
            }
        }
        DBGetNoOfObjects(overlay, counts);
    }
    std::vector<TrackInfo> tracks;
    if (db::GetTracksInDataRect(nullptr, "database", tracks))
        for (const TrackInfo& t : tracks)
            check(t.handle != 0 && t.handle <= 99999);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (pristine[0].empty())
        makeDatabase();
    if (size == 0)
        return 0;
    size_t file = data[0] % FILE_COUNT;
    for (size_t f = 0; f < FILE_COUNT; ++f)
        TempDataRoot::writeFile(hostOf(f), pristine[f]);
    fuzz::writeFile(hostOf(file), data + 1, size - 1);

    readOverlays();
    readObjects();
    TrackStatus status{};
    DBLoadTrackStatus(&status);
    fuzz::forgetBoxes();
    return 0;
}
