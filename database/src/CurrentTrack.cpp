#include "database/CurrentTrack.h"
#include "database/DbFiles.h"

#include "frame/Inifile.h"
#include "platform/files.h"

#include <algorithm>
#include <cerrno>
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

enum class PutFailure { None, Open, Write };

// Writes `count` records at record index `at` (at the end when negative) and cuts off whatever
// lay beyond: a record torn by a crash or a full disk never shifts the records after it. A gap
// before `at` is filled with copies of the last record (zeros when there is none). A failed
// write is undone. Result: the file's new size, or -1 with `failure` and errno set.
long PutRecords(const std::string& path, const void* data, long recordBytes, uint32_t count, long at,
                PutFailure& failure)
{
    File f = OpenForUpdate(path);
    if (!f) {
        failure = PutFailure::Open;
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
    int error = errno;
    long end = ok ? (at + long(count)) * recordBytes : keep * recordBytes;
    if (ftruncate(fileno(f.get()), end) != 0)
        ok = false;
    if (!Close(f) || !ok) {
        errno = error ? error : EIO;
        failure = PutFailure::Write;
        return -1;
    }
    return end;
}

long PutRecordsReported(const std::string& path, const void* data, long recordBytes, uint32_t count, long at,
                        const char* title, const char* openMessage, const char* writeMessage)
{
    PutFailure failure = PutFailure::None;
    long size = PutRecords(path, data, recordBytes, count, at, failure);
    if (failure != PutFailure::None)
        Fail(title, failure == PutFailure::Open ? openMessage : writeMessage);
    return size;
}

// Where a slot's times go: the places of the points just appended, so a time lost in a crash
// or a point that failed to append never shifts later times. -2 when the points' times are
// already there (the points were not recorded, nor are their times). `pointBytes`: the size
// of the slot's point file.
long TimesPlace(uint32_t slot, long pointBytes, uint32_t count)
{
    long points = std::max<long>(pointBytes, 0) / long(sizeof(TrackPoint));
    long at = points >= long(count) ? points - long(count) : -1;
    if (at >= 0 && long(win::fileSize(CurrentTrackPath(int(slot), CurrentFile::Times).c_str())) >= points * 4)
        return -2;
    return at;
}

// The record rewritten in place: one small write that a crash cannot tear, and no new file
// or rename for every reading. A store measures its tracks from their points, not from it.
PutFailure PutCurrentTrackInfo(const TrackInfo& info)
{
    TrackInfoDisk disk = TrackInfoToDisk(info);
    File f = OpenForUpdate(CurrentTrackPath(info.slot, CurrentFile::Info));
    if (!f)
        return PutFailure::Open;
    bool ok = std::fwrite(&disk, sizeof disk, 1, f.get()) == 1 && std::fflush(f.get()) == 0 &&
              ftruncate(fileno(f.get()), sizeof disk) == 0;
    int error = errno;
    if (!Close(f) || !ok) {
        errno = error ? error : EIO;
        return PutFailure::Write;
    }
    return PutFailure::None;
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
    long size = PutRecordsReported(CurrentTrackPath(int(block->slot), CurrentFile::Points), block->buffer,
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
    long pointBytes = long(win::fileSize(CurrentTrackPath(int(block->slot), CurrentFile::Points).c_str()));
    long at = TimesPlace(block->slot, pointBytes, block->count);
    if (at == -2)
        return 1;
    return PutRecordsReported(CurrentTrackPath(int(block->slot), CurrentFile::Times), block->times, sizeof(uint32_t),
                              block->count, at, title, "Failed opening current track time file",
                              "Failed writing to current track time file") >= 0;
}

int DBSaveCurrentTrackInfo(TrackInfo* info)
{
    const char* title = "DBSaveCurrentTrackInfo";
    if (!ValidSlot(uint32_t(info->slot), title))
        return 0;
    switch (PutCurrentTrackInfo(*info)) {
    case PutFailure::None: return 1;
    case PutFailure::Open: return Fail(title, "Failed opening current track info file");
    case PutFailure::Write: break;
    }
    return Fail(title, "Failed writing to current track info file");
}

int RecordCurrentTrackPoint(TrackInfo* info, TrackPoint* point, uint32_t time)
{
    if (uint32_t(info->slot) >= BEAM_SLOTS)
        return EINVAL;
    PutFailure failure = PutCurrentTrackInfo(*info);
    long pointBytes = -1;
    if (failure == PutFailure::None)
        pointBytes = PutRecords(CurrentTrackPath(info->slot, CurrentFile::Points), point, sizeof(TrackPoint), 1, -1,
                                failure);
    if (failure == PutFailure::None) {
        // The append gave the point file's size: no second look at it.
        long at = TimesPlace(uint32_t(info->slot), pointBytes, 1);
        if (at != -2)
            PutRecords(CurrentTrackPath(info->slot, CurrentFile::Times), &time, sizeof time, 1, at, failure);
    }
    return failure == PutFailure::None ? 0 : (errno ? errno : EIO);
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
