// Storing the current track: every slot that recorded points becomes a stored track of the
// destination database, with consecutive handles in slot order. A store is planned first and
// the plan written down, so that one cut short by a crash or a full disk is finished later.
#include "database/CurrentTrack.h"
#include "database/DbFiles.h"
#include "database/OverlayStore.h"
#include "database/TrackStore.h"
#include "ObjectFiles.h"
#include "database/StorePlan.h"

#include "platform/files.h"

#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace db;

namespace {

StoredTrackReanalysis reanalysis = nullptr;

const char* const TITLE = "DBSaveCurrentTrack";

bool TruncateTo(const std::string& path, long bytes)
{
    auto host = win::HostPath(path);
    return host && truncate(host->c_str(), bytes) == 0;
}

long WholeRecords(const std::string& path, long recordBytes)
{
    return std::max<long>(long(win::fileSize(path.c_str())), 0) / recordBytes;
}

// Seconds of the file's last change: the best time left for points whose times were lost.
uint32_t ChangeTime(const std::string& path)
{
    struct stat info {};
    auto host = win::HostPath(path);
    return host && stat(host->c_str(), &info) == 0 ? uint32_t(info.st_mtime) : 0;
}

// One time per point, whatever a crash between the two appends left: a torn point is cut off,
// a missing time repeats the last one known (the file's own time when there is none), a
// surplus time goes.
bool AlignTrackFiles(const std::string& points, const std::string& times)
{
    long pointCount = WholeRecords(points, long(sizeof(TrackPoint)));
    if (win::fileSize(points.c_str()) != pointCount * long(sizeof(TrackPoint)) &&
        !TruncateTo(points, pointCount * long(sizeof(TrackPoint))))
        return false;
    File f = OpenForUpdate(times);
    if (!f)
        return false;
    long timeBytes = SizeOf(f.get());
    long timeCount = std::max<long>(timeBytes, 0) / 4;
    bool ok = timeBytes >= 0;
    if (ok && timeCount < pointCount) {
        uint32_t last = ChangeTime(points);
        if (timeCount > 0)
            ok = std::fseek(f.get(), (timeCount - 1) * 4, SEEK_SET) == 0 && std::fread(&last, 4, 1, f.get()) == 1;
        ok = ok && std::fseek(f.get(), timeCount * 4, SEEK_SET) == 0;
        for (long i = timeCount; ok && i < pointCount; ++i)
            ok = std::fwrite(&last, 4, 1, f.get()) == 1;
    }
    ok = ok && std::fflush(f.get()) == 0 && ftruncate(fileno(f.get()), pointCount * 4) == 0;
    return Close(f) && ok;
}

// An empty current file where the store moved one away; one that exists is left as it is.
bool EnsureCurrentFile(const std::string& path)
{
    if (Exists(path))
        return true;
    File f = Open(path, "ab");
    return f && Close(f);
}

struct Destination {
    std::string overlayFolder;

    std::string StoredPath(uint32_t handle, const char* extension) const
    {
        return Format("%s\\%s", overlayFolder.c_str(), StoredTrackFileName(handle, extension).c_str());
    }

    // Moves a slot's current files to the track's; repeated after a crash it does only what is
    // left. The times go first: a point file still in place says its times may not have moved.
    bool MoveSlotFiles(const PlannedTrack& track) const
    {
        std::string dat = StoredPath(track.handle, "dat");
        std::string tim = StoredPath(track.handle, "tim");
        std::string points = CurrentTrackPath(track.slot, CurrentFile::Points);
        std::string times = CurrentTrackPath(track.slot, CurrentFile::Times);
        if (!Exists(dat)) {
            if (Exists(times) && !Exists(tim) && win::rename(times.c_str(), tim.c_str()) != 0)
                return Fail(TITLE, "Failed renaming current track times file");
            if (win::rename(points.c_str(), dat.c_str()) != 0)
                return Fail(TITLE, "Failed renaming current track file");
        }
        if (!AlignTrackFiles(dat, tim))
            return Fail(TITLE, "Failed writing to current track times file");
        if (!EnsureCurrentFile(points))
            return Fail(TITLE, "Failed creating current track file");
        if (!EnsureCurrentFile(times))
            return Fail(TITLE, "Failed creating current track times file");
        return true;
    }

    bool WriteBeam(FILE* beams, const PlannedTrack& track) const
    {
        auto transducer = int16_t(SlotTransducer(track.slot));
        if (std::fseek(beams, long(track.handle) * 2, SEEK_SET) != 0 || std::fwrite(&transducer, 2, 1, beams) != 1 ||
            std::fflush(beams) != 0)
            return Fail(TITLE, "Failed writing to beam table");
        return true;
    }

    // Written at the entry's own place, so a torn entry left by a crash is replaced.
    bool WriteEntry(FILE* tracks, const TrackInfo& entry) const
    {
        TracksInfEntryDisk disk{TrackInfoToDisk(entry), {}};
        if (std::fseek(tracks, long(entry.handle - 1) * TRACKS_INF_ENTRY_BYTES, SEEK_SET) != 0 ||
            std::fwrite(&disk, sizeof disk, 1, tracks) != 1 || std::fflush(tracks) != 0)
            return Fail(TITLE, "Failed writing to object info file");
        return true;
    }

    // Both track counts follow from tracks.inf itself, so a store done twice never counts twice.
    bool CountTracks() const
    {
        File tracks = Open(Format("%s\\%s", overlayFolder.c_str(), TRACKS_INF), "rb");
        if (!tracks)
            return Fail(TITLE, "Failed opening object info file");
        uint32_t entries = 0, live = 0;
        TracksInfEntryDisk entry;
        while (std::fread(&entry, sizeof entry, 1, tracks.get()) == 1) {
            ++entries;
            live += entry.info.handle != 0;
        }
        ObjectCounts counts[2];
        File countsFile = OpenObjectCounts(overlayFolder, counts, TITLE);
        if (!countsFile)
            return false;
        counts[0].tracks = int16_t(entries);
        counts[1].tracks = int16_t(live);
        return WriteObjectCounts(countsFile, counts, TITLE);
    }
};

// Does every step of a plan that is not done yet. False, reported, when one fails: the plan
// stays written down for the next try.
bool CarryOut(const StorePlan& plan)
{
    char overlayName[13];
    if (!_DBGetOvyDirName(TRACK_OVERLAY, overlayName, plan.folder.c_str()))
        return false;
    Destination destination{Format("%s\\%s", plan.folder.c_str(), overlayName)};
    File tracks = Open(Format("%s\\%s", destination.overlayFolder.c_str(), TRACKS_INF), "r+b");
    if (!tracks)
        return Fail(TITLE, "Failed opening object info file");
    // The destination's own beam table, so that database stays whole on its own.
    File beams = OpenForUpdate(Format("%s\\%s", destination.overlayFolder.c_str(), BEAM_TABLE_FILE));
    if (!beams)
        return Fail(TITLE, "Failed opening beam table");
    for (const PlannedTrack& track : plan.tracks) {
        if (!destination.MoveSlotFiles(track))
            return false;
        TrackInfo entry = plan.record;
        entry.handle = track.handle;
        if (!MeasureTrack(TITLE, destination.StoredPath(track.handle, "dat"), entry) ||
            !destination.WriteBeam(beams.get(), track) || !destination.WriteEntry(tracks.get(), entry))
            return false;
    }
    if (!Close(beams))
        return Fail(TITLE, "Failed writing to beam table");
    if (!Close(tracks))
        return Fail(TITLE, "Failed writing to object info file");
    return destination.CountTracks();
}

bool Finish(const StorePlan& plan)
{
    if (!CarryOut(plan))
        return false;
    if (!RemoveStorePlan())
        return Fail(TITLE, "Failed removing the record of the store");
    if (reanalysis)
        for (const PlannedTrack& track : plan.tracks) {
            TrackInfo stored = plan.record;
            stored.handle = track.handle;
            if (DBGetObjectInfo(TRACK_OVERLAY, OBJ_TRACK, &stored, plan.folder.c_str()))
                reanalysis(&stored, plan.folder.c_str());
        }
    return true;
}

// The slots whose current point file holds at least one whole point, with the handles they
// will have.
std::vector<PlannedTrack> SlotsToStore(uint32_t firstHandle)
{
    std::vector<PlannedTrack> tracks;
    for (int slot = 0; slot < BEAM_SLOTS; ++slot)
        if (WholeRecords(CurrentTrackPath(slot, CurrentFile::Points), long(sizeof(TrackPoint))) > 0)
            tracks.push_back({slot, firstHandle + uint32_t(tracks.size())});
    return tracks;
}

} // namespace

void SetStoredTrackReanalysis(StoredTrackReanalysis reanalyse) { reanalysis = reanalyse; }

int FinishInterruptedStore()
{
    std::optional<StorePlan> plan = ReadStorePlan();
    if (!plan)
        return 1;
    if (!win::isDirectory(plan->folder.c_str())) {
        // The destination went away; whatever had not moved is still the current track.
        RemoveStorePlan();
        return Failf(TITLE, "The database %s of an unfinished store no longer exists", plan->folder.c_str());
    }
    return Finish(*plan);
}

extern "C" {

int DBSaveCurrentTrack(TrackInfo* info)
{
    return DBSaveCurrentTrackTo(DatabaseFolder("database").c_str(), info);
}

int DBSaveCurrentTrackTo(const char* databaseFolder, TrackInfo* info)
{
    if (info->handle != CURRENT_TRACK_HANDLE)
        return Fail(TITLE, "Wrong handle for current track");
    // A store cut short comes first: its handles precede this one's.
    if (!FinishInterruptedStore())
        return 0;
    long size = -1;
    {
        File tracks = Open(Format("%s\\%s\\%s", databaseFolder, TRACK_OVERLAY_FOLDER, TRACKS_INF), "r+b");
        if (!tracks)
            return Fail(TITLE, "Failed opening object info file");
        size = SizeOf(tracks.get());
        if (size < 0)
            return Fail(TITLE, "Failed seek on object info file");
    }
    StorePlan plan{databaseFolder, *info, SlotsToStore(uint32_t(size / TRACKS_INF_ENTRY_BYTES) + 1)};
    if (plan.tracks.empty()) {
        // Nothing was recorded: no track, and no handle to show as the past track.
        info->handle = 0;
        return 1;
    }
    if (plan.tracks.back().handle > LAST_TRACK_HANDLE)
        return Failf(TITLE,
                     "The database is full: it cannot take more than %u tracks. The recording is kept; "
                     "store it into another database.",
                     LAST_TRACK_HANDLE - 1);
    if (!WriteStorePlan(plan))
        return Fail(TITLE, "Failed writing the record of the store");
    if (!Finish(plan))
        return 0;
    // The caller's record becomes the first stored track, with its own rectangle and count.
    *info = plan.record;
    info->handle = plan.tracks.front().handle;
    DBGetObjectInfo(TRACK_OVERLAY, OBJ_TRACK, info, databaseFolder);
    info->slot = 0;
    return 1;
}

} // extern "C"
