// Storing the current track: every slot's current files become a stored track of the
// destination database, with consecutive handles in slot order.
#include "database/CurrentTrack.h"
#include "database/DbFiles.h"
#include "database/OverlayStore.h"
#include "ObjectFiles.h"

#include "platform/files.h"

#include <unistd.h>
#include <vector>

using namespace db;

namespace {

StoredTrackReanalysis reanalysis = nullptr;

const char* const TITLE = "DBSaveCurrentTrack";

// Truncates a file to `bytes`, through the platform's path mapping.
void TruncateTo(const std::string& path, long bytes)
{
    if (auto host = win::HostPath(path))
        (void)truncate(host->c_str(), bytes);
}

// One time per point, whatever a crash between the two appends left: a torn point is cut off,
// a missing time repeats the last one known (0 when there is none), a surplus time goes.
void AlignCurrentFiles(int slot)
{
    std::string points = CurrentTrackPath(slot, CurrentFile::Points);
    std::string times = CurrentTrackPath(slot, CurrentFile::Times);
    long pointBytes = long(win::fileSize(points.c_str()));
    long pointCount = pointBytes / long(sizeof(TrackPoint));
    if (pointBytes % long(sizeof(TrackPoint)))
        TruncateTo(points, pointCount * long(sizeof(TrackPoint)));
    // A crash between creating the two empty files leaves the time file missing.
    if (!Exists(times))
        Open(times, "wb");
    long timeBytes = std::max<long>(long(win::fileSize(times.c_str())), 0);
    long timeCount = timeBytes / 4;
    if (timeCount >= pointCount) {
        if (timeBytes != pointCount * 4)
            TruncateTo(times, pointCount * 4);
        return;
    }
    File f = OpenForUpdate(times);
    if (!f)
        return;
    uint32_t last = 0;
    if (timeCount > 0 && std::fseek(f.get(), (timeCount - 1) * 4, SEEK_SET) == 0)
        (void)std::fread(&last, 4, 1, f.get());
    if (std::fseek(f.get(), timeCount * 4, SEEK_SET) != 0)
        return;
    for (long i = timeCount; i < pointCount; ++i)
        std::fwrite(&last, 4, 1, f.get());
    Close(f);
    TruncateTo(times, pointCount * 4);
}

struct Store {
    std::string folder;        // destination database
    std::string overlayFolder; // its track overlay
    File tracks;               // its tracks.inf
    File beams;                // its Swath.dat
    TrackInfo* record;

    std::string StoredPath(uint32_t handle, const char* extension) const
    {
        return Format("%s\\trk%05d.%s", overlayFolder.c_str(), int(handle), extension);
    }

    void WriteBeam(uint32_t handle, int slot)
    {
        if (!beams)
            return;
        auto transducer = int16_t(SlotTransducer(slot));
        if (std::fseek(beams.get(), long(handle) * 2, SEEK_SET) == 0)
            std::fwrite(&transducer, 2, 1, beams.get());
        std::fflush(beams.get());
    }

    // The entry, the object counts and the reanalysis of a track whose files are in place.
    bool Register()
    {
        TrackInfoDisk disk = TrackInfoToDisk(*record);
        const char position[8] = {};
        // Written at the entry's own place, so a torn entry left by a crash is replaced.
        if (std::fseek(tracks.get(), long(record->handle - 1) * 42, SEEK_SET) != 0 ||
            std::fwrite(&disk, sizeof disk, 1, tracks.get()) != 1 ||
            std::fwrite(position, sizeof position, 1, tracks.get()) != 1 || std::fflush(tracks.get()) != 0)
            return Fail(TITLE, "Failed writing to object info file");
        ObjectCounts counts[2];
        File countsFile = OpenObjectCounts(overlayFolder, counts, TITLE);
        if (!countsFile)
            return false;
        ++counts[0].tracks;
        ++counts[1].tracks;
        if (!WriteObjectCounts(countsFile, counts, TITLE))
            return false;
        if (reanalysis)
            reanalysis(record, folder.c_str());
        return true;
    }

    // Files of the next handle that a store cut short left behind: a moved point file (and
    // the time file of the slot it came from, when that was not moved yet) becomes the track
    // it was meant to be.
    bool AdoptInterrupted()
    {
        while (Exists(StoredPath(record->handle, "dat"))) {
            std::string times = StoredPath(record->handle, "tim");
            for (int slot = 0; slot < BEAM_SLOTS && !Exists(times); ++slot) {
                std::string points = CurrentTrackPath(slot, CurrentFile::Points);
                std::string current = CurrentTrackPath(slot, CurrentFile::Times);
                if (!Exists(points) && Exists(current)) {
                    win::rename(current.c_str(), times.c_str());
                    WriteBeam(record->handle, slot);
                }
            }
            if (!Register())
                return false;
            ++record->handle;
        }
        return true;
    }
};

} // namespace

void SetStoredTrackReanalysis(StoredTrackReanalysis reanalyse) { reanalysis = reanalyse; }

extern "C" {

int DBSaveCurrentTrack(TrackInfo* info)
{
    return DBSaveCurrentTrackTo(Format("%c:\\varnel\\%s", DriveLetter(), "database").c_str(), info);
}

int DBSaveCurrentTrackTo(const char* databaseFolder, TrackInfo* info)
{
    if (info->handle != 1)
        return Fail(TITLE, "Wrong handle for current track");
    Store store{databaseFolder, {}, Open(Format("%s\\%s\\%s", databaseFolder, "ovl00001", "tracks.inf"), "r+b"),
                nullptr, info};
    if (!store.tracks)
        return Fail(TITLE, "Failed opening object info file");
    long size = SizeOf(store.tracks.get());
    if (size < 0)
        return Fail(TITLE, "Failed seek on object info file");
    info->handle = uint32_t(size / 42) + 1;
    char overlayName[13];
    if (!_DBGetOvyDirName(TRACK_OVERLAY, overlayName, databaseFolder))
        return 0;
    store.overlayFolder = Format("%s\\%s", databaseFolder, overlayName);
    const uint32_t first = info->handle;

    // The destination's own beam table, so that database stays whole on its own.
    std::string beamPath = Format("%s\\Swath.dat", store.overlayFolder.c_str());
    store.beams = OpenForUpdate(beamPath);

    if (!store.AdoptInterrupted())
        return 0;
    for (int slot = 0; slot < BEAM_SLOTS; ++slot) {
        std::string points = CurrentTrackPath(slot, CurrentFile::Points);
        std::string times = CurrentTrackPath(slot, CurrentFile::Times);
        if (!Exists(points))
            continue;
        AlignCurrentFiles(slot);
        if (win::rename(points.c_str(), store.StoredPath(info->handle, "dat").c_str()) != 0) {
            Fail(TITLE, "Failed renaming current track file");
            continue;
        }
        if (win::rename(times.c_str(), store.StoredPath(info->handle, "tim").c_str()) != 0)
            Fail(TITLE, "Failed renaming current track times file");
        store.WriteBeam(info->handle, slot);
        if (File f = Open(points, "wb"); !f)
            Fail(TITLE, "Failed creating current track file");
        if (File f = Open(times, "wb"); !f)
            Fail(TITLE, "Failed creating current track times file");
        if (!store.Register())
            return 0;
        ++info->handle;
    }
    // Tracks adopted from a store cut short belong to the same recording: the first is the past track.
    info->handle = first;
    if (!Close(store.tracks))
        return Fail(TITLE, "Failed writing to object info file");
    return 1;
}

} // extern "C"
