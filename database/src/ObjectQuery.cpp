// Rectangle queries over an overlay's objects: the handle files they leave, and the tracks of a view.
#include "ObjectFiles.h"

#include "database/OverlayStore.h"

#include <cstring>
#include <vector>

using namespace db;

namespace {

bool Inside(int32_t x, int32_t y, const RECT& r)
{
    return r.left <= x && x <= r.right && r.bottom <= y && y <= r.top;
}

bool CornerInside(const RECT& a, const RECT& b)
{
    return Inside(a.left, a.top, b) || Inside(a.right, a.top, b) || Inside(a.left, a.bottom, b) ||
           Inside(a.right, a.bottom, b);
}

// a is at least as wide as b, b at least as tall as a, and they cross.
bool Spans(const RECT& a, const RECT& b)
{
    return a.left <= b.left && a.right >= b.right && b.bottom <= a.bottom && b.top >= a.top;
}

bool Overlap(const RECT& a, const RECT& b)
{
    return CornerInside(a, b) || CornerInside(b, a) || Spans(a, b) || Spans(b, a);
}

bool Meets(int kind, const int32_t* fields, const RECT* rect)
{
    if (!rect)
        return true;
    if (kind == OBJ_SYMBOL)
        return Inside(fields[1], fields[2], *rect);
    RECT own{fields[1], fields[2], fields[3], fields[4]};
    return Overlap(own, *rect);
}

// Every live entry of an open object info file from entry `first` on meeting `rect` (all of them
// without one), in file order: an object whose count was never raised (a crash between its entry
// and objects.inf) is still found, and a count larger than the file reads nothing. Impossible
// track handles are reported and left out. Stops, false, when `take` says so.
template <typename Take>
bool ForEachEntryMeeting(FILE* inf, const std::string& folder, int kindNumber, int first, const RECT* rect,
                         const char* title, Take take)
{
    const ObjectKind& kind = *KindOf(kindNumber);
    std::vector<unsigned char> entry(size_t(kind.entryBytes));
    if (std::fseek(inf, long(first) * kind.entryBytes, SEEK_SET) != 0)
        return false;
    for (int i = first; std::fread(entry.data(), entry.size(), 1, inf) == 1; ++i) {
        int32_t fields[16];
        RecordFromDisk(kind, entry.data(), fields);
        uint32_t handle = uint32_t(fields[0]);
        if (handle == 0 || !Meets(kindNumber, fields, rect))
            continue;
        if (kindNumber == OBJ_TRACK && handle > 99999) {
            Failf(title, "Invalid track handle %li found in %s\\%s[%i]", long(handle), folder.c_str(),
                  "tracks.inf", i);
            continue;
        }
        if (!take(fields))
            return false;
    }
    return true;
}

} // namespace

extern "C" {

int DBGetNoOfObjectsInDataRect(uint32_t overlay, uint16_t* counts, const RECT* rect, const char* database)
{
    const char* title = "DBGetNoOfObjectsInDataRect";
    std::memset(counts, 0, 5 * sizeof(uint16_t));
    std::string folder;
    if (!OverlayFolder(overlay, database, folder))
        return 0;
    for (int kindNumber : {OBJ_SYMBOL, OBJ_POLYGON, OBJ_ROUTE, OBJ_TEXT, OBJ_TRACK}) {
        const ObjectKind& kind = *KindOf(kindNumber);
        File inf = Open(ObjectFilePath(folder, kind, ".inf"), "rb");
        if (!inf)
            return Fail(title, "Failed opening object info file");
        File hnd = Open(ObjectFilePath(folder, kind, ".hnd"), "wb");
        if (!hnd)
            return Fail(title, "Failed opening object handle file");
        // Entry 0 of tracks.inf stands for the current track, which only the track overlay holds;
        // elsewhere it merely keeps track handles numbered alike.
        int first = kindNumber == OBJ_TRACK && overlay != TRACK_OVERLAY ? 1 : 0;
        bool written = ForEachEntryMeeting(inf.get(), folder, kindNumber, first, rect, title,
                                           [&](const int32_t* fields) {
            uint32_t handle = uint32_t(fields[0]);
            if (std::fwrite(&handle, sizeof handle, 1, hnd.get()) != 1)
                return false;
            ++counts[kind.countIndex];
            return true;
        });
        if (!written || !Close(hnd))
            return Fail(title, "Failed writing to object handle file");
    }
    return 1;
}

int DBGetHandleTable(uint32_t overlay, int kind, uint32_t* handles, uint32_t capacity, const char* database)
{
    const char* title = "DBGetHandleTable";
    const ObjectKind* k = KindOf(kind);
    if (!k)
        return Failf(title, "Invalid object type %d", kind);
    std::string folder;
    if (!OverlayFolder(overlay, database, folder))
        return 0;
    File f = Open(ObjectFilePath(folder, *k, ".hnd"), "rb");
    if (!f)
        return Fail(title, "Failed opening object handle file");
    long size = SizeOf(f.get());
    if (size < 0)
        return Fail(title, "Failed ftell on object handle file");
    if (size % 4 != 0)
        return Fail(title, "Failed seek on object data file");
    size_t count = size_t(size / 4);
    if (count > capacity) {
        Fail(title, "Memory allocation Error");
        count = capacity;
    }
    if (std::fseek(f.get(), 0, SEEK_SET) != 0)
        return Fail(title, "Failed seek on object handle file");
    if (count && std::fread(handles, sizeof(uint32_t), count, f.get()) != count)
        return Fail(title, "Failed reading object handle file");
    return 1;
}

} // extern "C"

namespace db {

bool GetTracksInDataRect(const RECT* rect, const char* database, std::vector<TrackInfo>& tracks)
{
    const char* title = "GetTracksInDataRect";
    tracks.clear();
    std::string folder;
    if (!OverlayFolder(TRACK_OVERLAY, database, folder))
        return false;
    const ObjectKind& kind = *KindOf(OBJ_TRACK);
    File inf = Open(ObjectFilePath(folder, kind, ".inf"), "rb");
    if (!inf)
        return Fail(title, "Failed opening object info file");
    return ForEachEntryMeeting(inf.get(), folder, OBJ_TRACK, 0, rect, title, [&](const int32_t* fields) {
        TrackInfo& track = tracks.emplace_back();
        std::memcpy(&track, fields, kind.widths.size() * sizeof(int32_t));
        return true;
    });
}

} // namespace db
