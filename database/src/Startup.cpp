// Opening the active database at start-up: creating it when missing, and storing a current
// track that a run ended while recording (or a store cut short) left behind.
#include "database/Catalogue.h"
#include "database/CurrentTrack.h"
#include "database/DbFiles.h"
#include "database/OverlayStore.h"
#include "database/TrackStore.h"

#include "platform/files.h"

#include <cctype>

using namespace db;

namespace {

const char* const TITLE = "Init Database";

bool CreateOverlay(const char* name, int shown, int current)
{
    OverlayInfo overlay{};
    std::snprintf(overlay.name, sizeof overlay.name, "%s", name);
    overlay.shown = shown;
    overlay.current = current;
    return DBCreateOverlay(&overlay) != 0;
}

void CreateBeamTable()
{
    std::string path = BeamTablePath();
    if (!Exists(path))
        Open(path, "wb");
}

// overlays.inf, the three permanent overlays, the current-track records and the status.
int CreateDatabaseFiles(int infoSlots)
{
    File overlays = Open(Format("%s\\%s", DatabaseFolder("database").c_str(), "overlays.inf"), "wb");
    if (!overlays)
        return Fail(TITLE, "Failed creating overlay info file");
    const int32_t header[2] = {0, 0};
    if (std::fwrite(header, sizeof header, 1, overlays.get()) != 1 || !Close(overlays))
        return Fail(TITLE, "Failed writing to overlays info file");
    if (!CreateOverlay("Tracks", 1, 0))
        return 0;
    for (int slot = 0; slot < infoSlots; ++slot)
        DBSaveCurrentTrackInfo(&globalcurrenttrackinfos[slot]);
    if (!CreateOverlay("Fouls", 1, 0) || !CreateOverlay("Current", 1, 1))
        return 0;
    globaltrackstatus = DefaultTrackStatus();
    char folder[256] = "database";
    DBNewDatabaseDialog(nullptr, folder);
    CreateBeamTable();
    return DBSaveTrackStatus(&globaltrackstatus);
}

// Points in a current point file: a run ended while recording.
int CurrentTrackHasPoints(bool& found)
{
    found = false;
    for (int slot = 0; slot < BEAM_SLOTS && !found; ++slot) {
        std::string path = CurrentTrackPath(slot, CurrentFile::Points);
        if (!Exists(path))
            continue;
        File f = Open(path, "rb");
        if (!f)
            return Fail(TITLE, "Failed opening current track file");
        long size = SizeOf(f.get());
        if (size < 0)
            return Fail(TITLE, "Failed seeking on current track file");
        found = size > 0;
    }
    return 1;
}

int RecoverCurrentTrack()
{
    globalpasttrackinfo = TrackInfo{};
    globalpasttrackinfo.slot = 0;
    DBLoadCurrentTrackInfo(&globalpasttrackinfo);
    // It is the current track whatever a damaged record says; the store measures each track.
    globalpasttrackinfo.handle = CURRENT_TRACK_HANDLE;
    globalpasttrackinfo.slot = 0;
    if (!DBSaveCurrentTrack(&globalpasttrackinfo))
        return 0;
    if (globalpasttrackinfo.handle != 0)
        globaltrackstatus.field[TS_PAST_HANDLE] = int32_t(globalpasttrackinfo.handle);
    return DBSaveTrackStatus(&globaltrackstatus);
}

// A creation that never finished (a full disk, a crash) left fewer than the three overlays a
// database starts with and no stored track; it is done again rather than left without overlays.
bool CreationCutShort(const std::string& folder)
{
    int64_t overlays = win::fileSize(Format("%s\\%s", folder.c_str(), "overlays.inf").c_str());
    int64_t tracks = win::fileSize(Format("%s\\tracks.inf", TrackFolder("database").c_str()).c_str());
    return overlays < int64_t(2 * sizeof(int32_t) + 3 * sizeof(OverlayEntryDisk)) && tracks <= 42;
}

int OpenExistingDatabase()
{
    globaltrackstatus = TrackStatus{};
    if (Exists(TrackStatusPath())) {
        DBLoadTrackStatus(&globaltrackstatus);
    } else {
        // Lost before it was first written (a crash or a full disk while the database was made).
        globaltrackstatus = DefaultTrackStatus();
        DBSaveTrackStatus(&globaltrackstatus);
    }
    if (globaltrackstatus.field[TS_SAVING] == 0 && globaltrackstatus.field[TS_PAST_HANDLE] != 0) {
        globalpasttrackinfo.handle = uint32_t(globaltrackstatus.field[TS_PAST_HANDLE]);
        DBGetObjectInfo(TRACK_OVERLAY, OBJ_TRACK, &globalpasttrackinfo, "database");
    }
    globaltrackstatus.field[TS_SAVING] = 0;
    // A store cut short is finished before anything else; it failing leaves it for next time.
    FinishInterruptedStore();
    // Points in the current files are an unfinished recording even when the status file was
    // lost or never said so; they are stored rather than merged into the next recording.
    bool points = false;
    if (!CurrentTrackHasPoints(points))
        return 0;
    if (points && !RecoverCurrentTrack())
        return 0;
    CreateBeamTable();
    return 1;
}

} // namespace

extern "C" int DBInitialiseDatabase(char driveLetter)
{
    SetDriveLetter(driveLetter);
    for (int slot = 0; slot < BEAM_SLOTS; ++slot) {
        TrackInfo& info = globalcurrenttrackinfos[slot];
        info.handle = 1;
        info.leftlon = info.toplat = info.rightlon = info.bottomlat = 0;
        info.slot = slot;
    }
    if (std::tolower(static_cast<unsigned char>(driveLetter)) != 'c') {
        std::string root = Format("%c:\\varnel", driveLetter);
        if (!win::isDirectory(root.c_str()) && win::mkdir(root.c_str()) != 0)
            return Fail(TITLE, "Failed creating database directory");
    }
    std::string folder = DatabaseFolder("database");
    if (win::isDirectory(folder.c_str())) {
        if (!Exists(Format("%s\\%s", folder.c_str(), "overlays.inf")) || CreationCutShort(folder))
            return CreateDatabaseFiles(BEAM_SLOTS);
        return OpenExistingDatabase();
    }
    if (win::mkdir(folder.c_str()) != 0)
        return Fail(TITLE, "Failed creating database directory");
    return CreateDatabaseFiles(1);
}
