#include "database/CurrentTrack.h"
#include "database/DbFiles.h"

#include "frame/Inifile.h"
#include "platform/files.h"

#include <unistd.h>

using namespace db;

TrackInfo globalcurrenttrackinfos[BEAM_SLOTS];
TrackInfo globalpasttrackinfo;
TrackStatus globaltrackstatus;

namespace {

// The save-rate slot of trkstat.inf as last read: the profile holds the save rate in use, the
// file keeps whatever it held.
int16_t storedSaveRateSlot = 0;

// Appends whole records. A record cut short at the end of the file (a crash or a full disk)
// is cut off first and a failed append is undone, so every later record stays aligned.
long AppendRecords(const std::string& path, const void* data, long recordBytes, uint32_t count,
                   const char* title, const char* openMessage, const char* writeMessage)
{
    File f = Open(path, "ab");
    if (!f) {
        Fail(title, openMessage);
        return -1;
    }
    long size = SizeOf(f.get());
    long whole = size - size % recordBytes;
    if (size < 0 || (whole != size && ftruncate(fileno(f.get()), whole) != 0)) {
        Fail(title, writeMessage);
        return -1;
    }
    size_t written = count ? std::fwrite(data, size_t(recordBytes), count, f.get()) : 0;
    if (written != count || std::fflush(f.get()) != 0) {
        std::clearerr(f.get());
        (void)ftruncate(fileno(f.get()), whole);
        Fail(title, writeMessage);
        return -1;
    }
    if (!Close(f)) {
        Fail(title, writeMessage);
        return -1;
    }
    return whole + long(count) * recordBytes;
}

bool ValidSlot(uint32_t slot, const char* title)
{
    if (slot < BEAM_SLOTS)
        return true;
    return Failf(title, "Invalid beam slot %u", slot);
}

} // namespace

TrackStatus DefaultTrackStatus()
{
    TrackStatus s{};
    const int32_t defaults[TS_FIELDS] = {1, 0, 1, 1, 4, 3, 1, 0, 1, 1, 4, 3, 0, 0, 0, 0};
    std::copy(defaults, defaults + TS_FIELDS, s.field);
    return s;
}

extern "C" {

int DBAddPointsToCurrentTrack(CurrentTrackBlock* block)
{
    const char* title = "DBAddPointsToCurrentTrack";
    if (!ValidSlot(block->slot, title))
        return 0;
    long size = AppendRecords(CurrentTrackPath(int(block->slot), CurrentFile::Points), block->buffer,
                              sizeof(TrackPoint), block->count, title, "Failed opening current track file",
                              "Failed writing to current track file");
    if (size < 0)
        return 0;
    block->offset = int32_t(size);
    return 1;
}

int DBAddTimesToCurrentTrack(TimeBlock* block)
{
    const char* title = "DBAddTimesToCurrentTrack";
    if (!ValidSlot(block->slot, title))
        return 0;
    return AppendRecords(CurrentTrackPath(int(block->slot), CurrentFile::Times), block->times, sizeof(uint32_t),
                         block->count, title, "Failed opening current track time file",
                         "Failed writing to current track time file") >= 0;
}

int DBSaveCurrentTrackInfo(TrackInfo* info)
{
    const char* title = "DBSaveCurrentTrackInfo";
    if (!ValidSlot(uint32_t(info->slot), title))
        return 0;
    TrackInfoDisk disk = TrackInfoToDisk(*info);
    switch (ReplaceFileContent(CurrentTrackPath(info->slot, CurrentFile::Info), &disk, sizeof disk)) {
    case WriteResult::Ok: return 1;
    case WriteResult::OpenFailed: return Fail(title, "Failed opening current track info file");
    case WriteResult::WriteFailed: break;
    }
    return Fail(title, "Failed writing to current track info file");
}

int DBLoadCurrentTrackInfo(TrackInfo* info)
{
    const char* title = "DBLoadCurrentTrackInfo";
    if (!ValidSlot(uint32_t(info->slot), title))
        return 0;
    File f = Open(CurrentTrackPath(info->slot, CurrentFile::Info), "rb");
    if (!f)
        return Fail(title, "Failed opening current track info file");
    TrackInfoDisk disk;
    if (std::fread(&disk, sizeof disk, 1, f.get()) != 1)
        return Fail(title, "Failed reading current track info file");
    *info = TrackInfoFromDisk(disk, info->slot);
    return 1;
}

int DBSaveTrackStatus(TrackStatus* status)
{
    const char* title = "DBSaveTrackStatus";
    TrackStatus copy = *status;
    std::string path = TrackStatusPath();
    if (!Exists(TrackFolder("database")))
        return Fail(title, "Failed opening track status file");
    WriteVarnelProfileString("Replay", "Save Rate", Format("%d", copy.field[TS_SAVE_RATE]).c_str());
    copy.field[TS_SAVE_RATE] = storedSaveRateSlot;
    TrackStatusDisk disk = TrackStatusToDisk(copy);
    switch (ReplaceFileContent(path, &disk, sizeof disk)) {
    case WriteResult::Ok: return 1;
    case WriteResult::OpenFailed: return Fail(title, "Failed opening track status file");
    case WriteResult::WriteFailed: break;
    }
    return Fail(title, "Failed writing to track status file");
}

int DBLoadTrackStatus(TrackStatus* status)
{
    const char* title = "DBLoadTrackStatus";
    std::string path = TrackStatusPath();
    File f = Open(path, "rb");
    if (!f)
        return Fail(title, "Failed opening track status file");
    long size = SizeOf(f.get());
    if (size != long(sizeof(TrackStatusDisk))) {
        f.reset();
        Failf(APPLICATION_TITLE, "File %s is the wrong size\n", path.c_str());
        if (size == 44)
            Fail(APPLICATION_TITLE, "You appear to have a stereo database\n");
        return 0;
    }
    TrackStatusDisk disk;
    if (std::fseek(f.get(), 0, SEEK_SET) != 0 || std::fread(&disk, sizeof disk, 1, f.get()) != 1)
        return Fail(title, "Failed reading track status file");
    storedSaveRateSlot = disk.low[TS_SAVE_RATE];
    *status = TrackStatusFromDisk(disk);
    status->field[TS_SAVE_RATE] = 1;
    GetVarnelProfileInt("Replay", "Save Rate", &status->field[TS_SAVE_RATE]);
    return 1;
}

} // extern "C"
