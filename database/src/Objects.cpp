// The objects of an overlay: the five kinds and their files, adding, reading, rewriting and
// deleting objects, and the object counts.
#include "ObjectFiles.h"

#include "database/OverlayStore.h"

#include "platform/files.h"

#include <cstdint>
#include <algorithm>
#include <cstring>

using namespace db;

namespace db {

const ObjectKind* KindOf(int kind)
{
    static const ObjectKind kinds[5] = {
        {"symbols", {4, 4, 4, 2, 2, 2}, 18, 26, 0},
        {"polygons", {4, 4, 4, 4, 4, 2, 2, 2, 2}, 28, 36, 1},
        {"tracks", {4, 4, 4, 4, 4, 4, 2, 2, 2, 2, 2}, 34, 42, 2},
        {"texts", {4, 4, 4, 4, 4, 2, 2}, 24, 32, 3},
        {"routes", {4, 4, 4, 4, 4, 2, 2, 2, 2, 2, 2}, 32, 40, 4},
    };
    return kind >= 1 && kind <= 5 ? &kinds[kind - 1] : nullptr;
}

void RecordToDisk(const ObjectKind& kind, const void* record, unsigned char* disk)
{
    const auto* fields = static_cast<const int32_t*>(record);
    for (size_t i = 0; i < kind.widths.size(); ++i) {
        if (kind.widths[i] == 4) {
            std::memcpy(disk, &fields[i], 4);
        } else {
            auto narrow = int16_t(fields[i]);
            std::memcpy(disk, &narrow, 2);
        }
        disk += kind.widths[i];
    }
}

void RecordFromDisk(const ObjectKind& kind, const unsigned char* disk, void* record)
{
    auto* fields = static_cast<int32_t*>(record);
    for (size_t i = 0; i < kind.widths.size(); ++i) {
        if (kind.widths[i] == 4) {
            std::memcpy(&fields[i], disk, 4);
        } else {
            int16_t narrow;
            std::memcpy(&narrow, disk, 2);
            fields[i] = narrow;
        }
        disk += kind.widths[i];
    }
}

std::string ObjectFilePath(const std::string& overlayFolder, const ObjectKind& kind, const char* extension)
{
    return Format("%s\\%s%s", overlayFolder.c_str(), kind.stem, extension);
}

File OpenObjectCounts(const std::string& overlayFolder, ObjectCounts counts[2], const char* title)
{
    File f = Open(overlayFolder + "\\objects.inf", "r+b");
    if (!f) {
        Fail(title, "Failed opening objects info file");
        return f;
    }
    if (std::fread(counts, sizeof(ObjectCounts), 2, f.get()) != 2) {
        Fail(title, "Failed reading objects info file");
        f.reset();
    }
    return f;
}

bool WriteObjectCounts(File& file, const ObjectCounts counts[2], const char* title)
{
    if (std::fseek(file.get(), 0, SEEK_SET) != 0)
        return Fail(title, "Failed seek on objects info file");
    if (std::fwrite(counts, sizeof(ObjectCounts), 2, file.get()) != 2 || !Close(file))
        return Fail(title, "Failed writing to objects info file");
    return true;
}

int16_t& CountOf(ObjectCounts& counts, const ObjectKind& kind)
{
    int16_t* all[] = {&counts.symbols, &counts.polygons, &counts.tracks, &counts.texts, &counts.routes};
    return *all[kind.countIndex];
}

} // namespace db

namespace {

// The entry of a handle in an open ".inf" file, checked to lie inside the file: a record is
// rewritten in place, never written beyond the end.
bool SeekEntry(FILE* f, const ObjectKind& kind, uint32_t handle, const char* title)
{
    long offset = long(handle - 1) * kind.entryBytes;
    long size = SizeOf(f);
    if (size < 0 || offset + kind.recordBytes > size || std::fseek(f, offset, SEEK_SET) != 0)
        return Failf(title, "%s to %li", "Failed seek on object info file", offset);
    return true;
}

// An entry beyond the end of the file is a failed read.
bool ReadEntry(FILE* f, const ObjectKind& kind, uint32_t handle, unsigned char* entry, const char* title)
{
    long offset = long(handle - 1) * kind.entryBytes;
    if (std::fseek(f, offset, SEEK_SET) != 0)
        return Failf(title, "%s to %li", "Failed seek on object info file", offset);
    std::memset(entry, 0, size_t(kind.entryBytes));
    if (std::fread(entry, size_t(kind.recordBytes), 1, f) != 1)
        return Fail(title, "Failed reading object info file");
    // The data reference may be missing at the very end of a file cut short.
    (void)std::fread(entry + kind.recordBytes, 8, 1, f);
    return true;
}

bool WriteRecordAt(FILE* f, const ObjectKind& kind, uint32_t handle, const void* record, const char* title)
{
    unsigned char disk[64];
    RecordToDisk(kind, record, disk);
    if (!SeekEntry(f, kind, handle, title))
        return false;
    if (std::fwrite(disk, size_t(kind.recordBytes), 1, f) != 1 || std::fflush(f) != 0)
        return Fail(title, "Failed writing to object info file");
    return true;
}

int AddObject(const char* title, uint32_t overlay, int kindNumber, void* record, const void* data)
{
    const ObjectKind& kind = *KindOf(kindNumber);
    auto* handle = static_cast<uint32_t*>(record);
    if (*handle != 0)
        return Fail(title, "Object already has a handle");
    std::string folder;
    if (!OverlayFolder(overlay, "database", folder))
        return 0;
    ObjectCounts counts[2];
    File countsFile = OpenObjectCounts(folder, counts, title);
    if (!countsFile)
        return 0;

    int32_t reference[2] = {0, 0};
    if (kindNumber != OBJ_SYMBOL) {
        const auto* fields = static_cast<const int32_t*>(record);
        int32_t length = kindNumber == OBJ_TEXT ? static_cast<const TextInfo*>(record)->length
                                                : fields[7] * int32_t(sizeof(GeoPoint));
        if (length < 0 || (length > 0 && !data))
            return Fail(title, "Failed writing to object data file");
        // The length or count lies in a 16-bit field on disk: more would wrap, not be stored.
        if ((kindNumber == OBJ_TEXT ? length : fields[7]) > INT16_MAX)
            return Fail(title, "Object too large for its record");
        File dat = Open(ObjectFilePath(folder, kind, ".dat"), "ab");
        if (!dat)
            return Fail(title, "Failed opening object data file");
        long offset = SizeOf(dat.get());
        if (offset < 0)
            return Fail(title, "Failed ftell on object data file");
        if ((length > 0 && std::fwrite(data, size_t(length), 1, dat.get()) != 1) || !Close(dat))
            return Fail(title, "Failed writing to object data file");
        reference[0] = int32_t(offset);
        reference[1] = length;
    }

    File inf = Open(ObjectFilePath(folder, kind, ".inf"), "r+b");
    if (!inf)
        return Fail(title, "Failed opening object info file");
    long size = SizeOf(inf.get());
    if (size < 0)
        return Fail(title, "Failed seek on object info file");
    // A torn entry at the end (from a write cut short) is overwritten by the new one.
    uint32_t newHandle = uint32_t(size / kind.entryBytes) + 1;
    if (std::fseek(inf.get(), long(newHandle - 1) * kind.entryBytes, SEEK_SET) != 0)
        return Fail(title, "Failed seek on object info file");
    *handle = newHandle;
    unsigned char disk[64];
    RecordToDisk(kind, record, disk);
    std::memcpy(disk + kind.recordBytes, reference, sizeof reference);
    if (std::fwrite(disk, size_t(kind.entryBytes), 1, inf.get()) != 1 || !Close(inf)) {
        *handle = 0;
        return Fail(title, "Failed writing to object info file");
    }

    ++CountOf(counts[0], kind);
    ++CountOf(counts[1], kind);
    if (!WriteObjectCounts(countsFile, counts, title))
        return 0;
    if (kindNumber == OBJ_SYMBOL)
        return _DBAddSymbolText(overlay, static_cast<SymbolInfo*>(record), "*New________Symbol*");
    return 1;
}

// The symbol's slot in symbols.txt.
File OpenSymbolText(uint32_t overlay, uint32_t handle, const char* mode, const char* title)
{
    std::string folder;
    if (!OverlayFolder(overlay, "database", folder))
        return nullptr;
    File f = Open(ObjectFilePath(folder, *KindOf(OBJ_SYMBOL), ".txt"), mode);
    if (!f) {
        Fail(title, "Failed opening object text file");
        return f;
    }
    if (std::fseek(f.get(), long(handle - 1) * OBJECT_NAME_BYTES, SEEK_SET) != 0) {
        Fail(title, "Failed seeking on object text file");
        f.reset();
    }
    return f;
}

File OpenKindFile(uint32_t overlay, const ObjectKind& kind, const char* extension, const char* mode,
                  const char* database, const char* title)
{
    std::string folder;
    if (!OverlayFolder(overlay, database, folder))
        return nullptr;
    File f = Open(ObjectFilePath(folder, kind, extension), mode);
    if (!f)
        Fail(title, std::strcmp(extension, ".dat") == 0 ? "Failed opening object data file"
                                                        : "Failed opening object info file");
    return f;
}

const ObjectKind* CheckedKind(int kind, const char* title)
{
    const ObjectKind* k = KindOf(kind);
    if (!k)
        Failf(title, "Invalid object type %d", kind);
    return k;
}

} // namespace

extern "C" {

int _DBAddSymbol(uint32_t overlay, SymbolInfo* symbol)
{
    return AddObject("_DBAddSymbol", overlay, OBJ_SYMBOL, symbol, nullptr);
}

int _DBAddPolygon(uint32_t overlay, PolygonInfo* polygon, const GeoPoint* vertices)
{
    return AddObject("_DBAddPolygon", overlay, OBJ_POLYGON, polygon, vertices);
}

int _DBAddText(uint32_t overlay, TextInfo* text, const char* bytes)
{
    return AddObject("_DBAddText", overlay, OBJ_TEXT, text, bytes);
}

int _DBAddRoute(uint32_t overlay, RouteInfo* route, const GeoPoint* waypoints)
{
    return AddObject("_DBAddRoute", overlay, OBJ_ROUTE, route, waypoints);
}

int DBAddObject(uint32_t overlay, int kind, void* record, const void* data)
{
    switch (kind) {
    case OBJ_SYMBOL: return _DBAddSymbol(overlay, static_cast<SymbolInfo*>(record));
    case OBJ_POLYGON: return _DBAddPolygon(overlay, static_cast<PolygonInfo*>(record), static_cast<const GeoPoint*>(data));
    case OBJ_TEXT: return _DBAddText(overlay, static_cast<TextInfo*>(record), static_cast<const char*>(data));
    case OBJ_ROUTE: return _DBAddRoute(overlay, static_cast<RouteInfo*>(record), static_cast<const GeoPoint*>(data));
    default: return Failf("DBAddObject", "Invalid object type %d", kind);
    }
}

int _DBAddSymbolText(uint32_t overlay, SymbolInfo* symbol, const char* name)
{
    const char* title = "_DBAddSymbolText";
    if (symbol->handle == 0)
        return Fail(title, "Trying to add text to null symbol handle");
    File f = OpenSymbolText(overlay, symbol->handle, "r+b", title);
    if (!f)
        return 0;
    char slot[OBJECT_NAME_BYTES] = {};
    std::strncpy(slot, name ? name : "", OBJECT_NAME_BYTES - 1);
    if (std::fwrite(slot, sizeof slot, 1, f.get()) != 1 || !Close(f))
        return Fail(title, "Failed writing to object text file");
    return 1;
}

int DBGetObjectText(uint32_t overlay, SymbolInfo* symbol, char* name)
{
    const char* title = "DBGetObjectText";
    if (symbol->handle == 0)
        return Fail(title, "Object handle is null");
    File f = OpenSymbolText(overlay, symbol->handle, "rb", title);
    if (!f)
        return 0;
    char slot[OBJECT_NAME_BYTES];
    if (std::fread(slot, sizeof slot, 1, f.get()) != 1)
        return Fail(title, "Failed reading object text file");
    slot[OBJECT_NAME_BYTES - 1] = '\0';
    std::strcpy(name, slot);
    return 1;
}

int DBGetObjectInfo(uint32_t overlay, int kind, void* record, const char* database)
{
    const char* title = "DBGetObjectInfo";
    const ObjectKind* k = CheckedKind(kind, title);
    if (!k)
        return 0;
    uint32_t handle = *static_cast<uint32_t*>(record);
    if (handle == 0)
        return Fail(title, "Object handle is null");
    File f = OpenKindFile(overlay, *k, ".inf", "rb", database, title);
    unsigned char entry[64];
    if (!f || !ReadEntry(f.get(), *k, handle, entry, title))
        return 0;
    RecordFromDisk(*k, entry, record);
    return 1;
}

int DBSetObjectInfo(uint32_t overlay, int kind, void* record, const char* database)
{
    const char* title = "DBSetObjectInfo";
    if (kind != OBJ_TRACK)
        return Fail(title, "Setting object info not allowed");
    uint32_t handle = *static_cast<uint32_t*>(record);
    if (handle == 0)
        return Fail(title, "Object handle is null");
    const ObjectKind& k = *KindOf(kind);
    File f = OpenKindFile(overlay, k, ".inf", "r+b", database, title);
    if (!f || !WriteRecordAt(f.get(), k, handle, record, title))
        return 0;
    return Close(f) ? 1 : Fail(title, "Failed writing to object info file");
}

int GetObject(uint32_t overlay, int kind, uint32_t handle, void* data)
{
    const char* title = "GetObject";
    const ObjectKind* k = CheckedKind(kind, title);
    if (!k)
        return 0;
    if (kind == OBJ_TRACK)
        return Fail(title, "Track points are read by block");
    if (handle == 0)
        return Fail(title, "Object handle is null");
    File inf = OpenKindFile(overlay, *k, ".inf", "rb", "database", title);
    unsigned char entry[64];
    if (!inf || !ReadEntry(inf.get(), *k, handle, entry, title))
        return 0;
    if (kind == OBJ_SYMBOL) {
        SymbolInfo symbol;
        RecordFromDisk(*k, entry, &symbol);
        GeoPoint position{symbol.lon, symbol.lat};
        std::memcpy(data, &position, sizeof position);
        return 1;
    }
    int32_t reference[2];
    std::memcpy(reference, entry + k->recordBytes, sizeof reference);
    File dat = OpenKindFile(overlay, *k, ".dat", "rb", "database", title);
    if (!dat)
        return 0;
    long size = SizeOf(dat.get());
    // Never more than the record declares: the caller sizes its buffer by the record's count
    // or length, whatever a damaged data reference says.
    int32_t fields[16];
    RecordFromDisk(*k, entry, fields);
    int32_t declared = kind == OBJ_TEXT ? fields[6] : fields[7] * int32_t(sizeof(GeoPoint));
    int32_t length = std::min(declared, kind == OBJ_TEXT ? reference[1]
                                                         : reference[1] / int32_t(sizeof(GeoPoint)) * int32_t(sizeof(GeoPoint)));
    if (reference[0] < 0 || length < 0 || long(reference[0]) + length > size ||
        std::fseek(dat.get(), reference[0], SEEK_SET) != 0)
        return Fail(title, "Failed seek on object data file");
    if (length > 0 && std::fread(data, size_t(length), 1, dat.get()) != 1)
        return Fail(title, "Failed reading object data file");
    return 1;
}

int DBDeleteObject(uint32_t overlay, int kind, uint32_t handle)
{
    const char* title = "DBDeleteObject";
    if (File log = Open("c:\\dellist.txt", "a"))
        std::fprintf(log.get(), "overlay %ld object type %d handle %ld deleted\n", long(overlay), kind, long(handle));
    const ObjectKind* k = CheckedKind(kind, title);
    if (!k)
        return 0;
    if (kind == OBJ_TRACK && overlay != TRACK_OVERLAY)
        return Fail(title, "Track cannot be deleted from this overlay");
    if (handle == 0)
        return Fail(title, "Object handle is null");
    std::string folder;
    if (!OverlayFolder(overlay, "database", folder))
        return 0;
    File inf = Open(ObjectFilePath(folder, *k, ".inf"), "r+b");
    if (!inf)
        return Fail(title, "Failed opening object info file");
    unsigned char entry[64];
    if (!ReadEntry(inf.get(), *k, handle, entry, title))
        return 0;
    uint32_t stored;
    std::memcpy(&stored, entry, sizeof stored);
    if (stored != handle)
        return Fail(title, "Passed handle does not match file");
    const uint32_t deleted = 0;
    if (!SeekEntry(inf.get(), *k, handle, title))
        return 0;
    if (std::fwrite(&deleted, sizeof deleted, 1, inf.get()) != 1 || !Close(inf))
        return Fail(title, "Failed writing to object info file");
    ObjectCounts counts[2];
    File countsFile = OpenObjectCounts(folder, counts, title);
    if (!countsFile)
        return 0;
    --CountOf(counts[1], *k);
    return WriteObjectCounts(countsFile, counts, title) ? 1 : 0;
}

int DBSetActiveRoute(uint32_t overlay, uint32_t handle, uint32_t oldOverlay, uint32_t oldHandle)
{
    const char* title = "DBSetActiveRoute";
    if (overlay == 0)
        return Fail(title, "Overlay handle is null");
    const ObjectKind& k = *KindOf(OBJ_ROUTE);
    auto setActive = [&](uint32_t ovl, uint32_t h, int32_t active) {
        File f = OpenKindFile(ovl, k, ".inf", "r+b", "database", title);
        unsigned char entry[64];
        if (!f || !ReadEntry(f.get(), k, h, entry, title))
            return false;
        RouteInfo route;
        RecordFromDisk(k, entry, &route);
        if (route.handle != h || h == 0)
            return bool(Fail(title, "Failed reading object info file"));
        route.active = active;
        return WriteRecordAt(f.get(), k, h, &route, title) && Close(f);
    };
    if (!setActive(overlay, handle, 1))
        return 0;
    // No old route when none was active.
    if (oldOverlay != 0 && oldHandle != 0 && !(oldOverlay == overlay && oldHandle == handle) &&
        !setActive(oldOverlay, oldHandle, 0))
        return 0;
    return 1;
}

int DBGetNoOfObjects(uint32_t overlay, uint16_t* counts)
{
    const char* title = "DBGetNoOfObjects";
    std::string folder;
    if (!OverlayFolder(overlay, "database", folder))
        return 0;
    ObjectCounts both[2];
    File f = OpenObjectCounts(folder, both, title);
    if (!f)
        return 0;
    int16_t live[5];
    std::memcpy(live, &both[1], sizeof live);
    for (int i = 0; i < 5; ++i)
        counts[i] = uint16_t(live[i]);
    return 1;
}

} // extern "C"
