#include "database/CurrentTrack.h"
#include "database/DbFiles.h"

#include "frame/Inifile.h"
#include "platform/files.h"

#include <algorithm>
#include <unistd.h>
#include <vector>

using namespace db;

TrackInfo globalcurrenttrackinfos[BEAM_SLOTS];
TrackInfo globalpasttrackinfo;
TrackStatus globaltrackstatus;

namespace {

// The save-rate slot of trkstat.inf as last read: the profile holds the save rate in use, the
// file keeps whatever it held.
int16_t storedSaveRateSlot = 0;

// Writes `count` records at record index `at` (at the end when negative) and cuts off whatever
// lay beyond: a record torn by a crash or a full disk never shifts the records after it. A gap
// before `at` is filled with copies of the last record (zeros when there is none). A failed
// write is undone. Result: the file's new size, or -1.
long PutRecords(const std::string& path, const void* data, long recordBytes, uint32_t count, long at,
                const char* title, const char* openMessage, const char* writeMessage)
{
    File f = OpenForUpdate(path);
    if (!f) {
        Fail(title, openMessage);
        return -1;
    }
    long size = SizeOf(f.get());
    long whole = size / recordBytes;
    if (at < 0)
        at = whole;
    long keep = std::min(at, whole);
    std::vector<char> filler(size_t(recordBytes), 0);
    bool ok = size >= 0;
    if (ok && keep > 0 && at > keep)
        ok = std::fseek(f.get(), (keep - 1) * recordBytes, SEEK_SET) == 0 &&
             std::fread(filler.data(), filler.size(), 1, f.get()) == 1;
    ok = ok && std::fseek(f.get(), keep * recordBytes, SEEK_SET) == 0;
    for (long i = keep; ok && i < at; ++i)
        ok = std::fwrite(filler.data(), filler.size(), 1, f.get()) == 1;
    ok = ok && (count == 0 || std::fwrite(data, size_t(recordBytes), count, f.get()) == count);
    ok = ok && std::fflush(f.get()) == 0;
    long end = ok ? (at + long(count)) * recordBytes : keep * recordBytes;
    if (ftruncate(fileno(f.get()), end) != 0)
        ok = false;
    if (!Close(f) || !ok) {
        Fail(title, writeMessage);
        return -1;
    }
    return end;
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
    long size = PutRecords(CurrentTrackPath(int(block->slot), CurrentFile::Points), block->buffer,
                           sizeof(TrackPoint), block->count, -1, title, "Failed opening current track file",
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
    // The times belong to the points just appended: they go to those points' places, so a
    // time lost in a crash or a point that failed to append never shifts later times.
    long points = std::max<long>(long(win::fileSize(CurrentTrackPath(int(block->slot), CurrentFile::Points).c_str())), 0) /
                  long(sizeof(TrackPoint));
    long at = points >= long(block->count) ? points - long(block->count) : -1;
    std::string path = CurrentTrackPath(int(block->slot), CurrentFile::Times);
    if (at >= 0 && long(win::fileSize(path.c_str())) >= points * 4)
        return 1;  // the point was not recorded, nor is its time
    return PutRecords(path, block->times, sizeof(uint32_t), block->count, at, title,
                      "Failed opening current track time file", "Failed writing to current track time file") >= 0;
}

int DBSaveCurrentTrackInfo(TrackInfo* info)
{
    const char* title = "DBSaveCurrentTrackInfo";
    if (!ValidSlot(uint32_t(info->slot), title))
        return 0;
    TrackInfoDisk disk = TrackInfoToDisk(*info);
    switch (ReplaceTrackFolderFile(CurrentTrackFileName(info->slot, CurrentFile::Info), &disk, sizeof disk)) {
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
    if (!Exists(TrackFolder("database")))
        return Fail(title, "Failed opening track status file");
    WriteVarnelProfileString("Replay", "Save Rate", Format("%d", copy.field[TS_SAVE_RATE]).c_str());
    copy.field[TS_SAVE_RATE] = storedSaveRateSlot;
    TrackStatusDisk disk = TrackStatusToDisk(copy);
    switch (ReplaceTrackFolderFile("trkstat.inf", &disk, sizeof disk)) {
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
