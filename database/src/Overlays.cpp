// The overlays of a database: overlays.inf and each overlay's folder of object files; creating and
// deleting overlays, their shown and current flags, and finding them by name or handle.
#include "database/OverlayStore.h"
#include "database/DbFiles.h"
#include "database/CurrentTrack.h"
#include "OverlayTable.h"

#include "platform/files.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

using namespace db;

namespace db {

std::string OverlaysPath(const char* database)
{
    return Format("%s\\%s", DatabaseFolder(database).c_str(), "overlays.inf");
}

bool ReadOverlayTable(FILE* f, OverlayTable& table, const char* title)
{
    long size = SizeOf(f);
    int32_t header[2];
    if (size < long(sizeof header) || std::fseek(f, 0, SEEK_SET) != 0 || std::fread(header, sizeof header, 1, f) != 1)
        return Fail(title, "Failed reading overlays info file");
    // The entries present decide, not the header: an append or deletion cut short before its
    // header update is still seen, and the live count always matches what GetOverlays fills in.
    size_t present = size_t(size - long(sizeof header)) / sizeof(OverlayEntryDisk);
    table.entries.resize(present);
    if (present && std::fread(table.entries.data(), sizeof(OverlayEntryDisk), present, f) != present)
        return Fail(title, "Failed reading overlays info file");
    table.live = int32_t(std::count_if(table.entries.begin(), table.entries.end(),
                                       [](const OverlayEntryDisk& e) { return e.handle != 0; }));
    return true;
}

bool WriteOverlayHeader(FILE* f, const OverlayTable& table, const char* title)
{
    int32_t header[2] = {int32_t(table.entries.size()), table.live};
    if (std::fseek(f, 0, SEEK_SET) != 0 || std::fwrite(header, sizeof header, 1, f) != 1 || std::fflush(f) != 0)
        return Fail(title, "Failed writing to overlays info file");
    return true;
}

bool WriteOverlayEntry(FILE* f, size_t index, const OverlayEntryDisk& entry, const char* title,
                       const char* seekMessage = "Failed seeking on overlays info file")
{
    long offset = long(2 * sizeof(int32_t) + index * sizeof(OverlayEntryDisk));
    if (std::fseek(f, offset, SEEK_SET) != 0)
        return Fail(title, seekMessage);
    if (std::fwrite(&entry, sizeof entry, 1, f) != 1 || std::fflush(f) != 0)
        return Fail(title, "Failed writing to overlays info file");
    return true;
}

File OpenOverlayTable(const char* database, const char* mode, OverlayTable& table, const char* title)
{
    File f = Open(OverlaysPath(database), mode);
    if (!f) {
        Fail(title, "Failed opening overlays info file");
        return f;
    }
    if (!ReadOverlayTable(f.get(), table, title))
        f.reset();
    return f;
}

OverlayEntryDisk* OverlayTable::find(uint32_t handle)
{
    for (auto& e : entries)
        if (handle != 0 && e.handle == handle)
            return &e;
    return nullptr;
}

bool OverlayFolder(uint32_t overlay, const char* database, std::string& folder)
{
    char name[13];
    if (!_DBGetOvyDirName(overlay, name, database))
        return false;
    folder = Format("%s\\%s", DatabaseFolder(database).c_str(), name);
    return true;
}

} // namespace db

namespace {

OverlayInfo InfoOf(const OverlayEntryDisk& e)
{
    OverlayInfo info{};
    std::memcpy(info.name, e.name, sizeof info.name);
    info.name[sizeof info.name - 1] = '\0';
    info.handle = e.handle;
    info.shown = e.shown;
    info.current = e.current;
    return info;
}

const char* const OBJECT_STEMS[] = {"symbols", "polygons", "tracks", "texts", "routes"};
const char* const OBJECT_EXTENSIONS[] = {".inf", ".dat", ".txt", ".hnd"};
const char* const CREATE_MESSAGES[] = {"Failed creating object info file(s)", "Failed creating object data file(s)",
                                       "Failed creating object text file(s)", "Failed creating object handle file(s)"};
const char* const DELETE_MESSAGES[] = {"Failed deleting object info file(s)", "Failed deleting object data file(s)",
                                       "Failed deleting object text file(s)", "Failed deleting object handle file(s)"};

bool HoldsObjects(const std::string& folder)
{
    for (const char* stem : OBJECT_STEMS) {
        int64_t size = win::fileSize((folder + "\\" + stem + ".inf").c_str());
        if (size > (std::strcmp(stem, "tracks") == 0 ? 42 : 0))
            return true;
    }
    return false;
}

bool CreateObjectFiles(const std::string& folder, uint32_t handle, const char* title)
{
    std::string countsPath = folder + "\\objects.inf";
    File counts = Open(countsPath, "wb");
    if (!counts) {
        win::rmdir(folder.c_str());
        return Fail(title, "Failed creating objects info file");
    }
    ObjectCounts both[2] = {};
    both[0].tracks = both[1].tracks = handle == TRACK_OVERLAY ? 1 : 0;
    if (std::fwrite(both, sizeof both, 1, counts.get()) != 1 || !Close(counts))
        return Fail(title, "Failed writing to objects info file");

    for (int group = 0; group < 4; ++group) {
        bool ok = true;
        for (const char* stem : OBJECT_STEMS) {
            File f = Open(folder + "\\" + stem + OBJECT_EXTENSIONS[group], "wb");
            ok = ok && f;
            if (f && group == 0 && std::strcmp(stem, "tracks") == 0) {
                // Entry 0 stands for the current track.
                TrackInfoDisk placeholder = TrackInfoToDisk(globalcurrenttrackinfos[0]);
                const char position[8] = {};
                ok = std::fwrite(&placeholder, sizeof placeholder, 1, f.get()) == 1 &&
                     std::fwrite(position, sizeof position, 1, f.get()) == 1 && Close(f);
            }
        }
        if (!ok)
            return Fail(title, CREATE_MESSAGES[group]);
    }
    return true;
}

} // namespace

namespace db {

bool OverlayNameTaken(const char* database, const char* name)
{
    File f = Open(OverlaysPath(database), "rb");
    OverlayTable table;
    if (!f || SizeOf(f.get()) < 8 || !ReadOverlayTable(f.get(), table, "Create Overlay"))
        return false;
    for (const auto& e : table.entries)
        if (e.handle != 0 && std::strncmp(e.name, name, sizeof e.name - 1) == 0)
            return true;
    return false;
}

int CreateOverlayIn(const char* database, OverlayInfo* overlay)
{
    const char* title = "Create Overlay";
    overlay->name[sizeof overlay->name - 1] = '\0';
    if (overlay->name[0] == '\0')
        return Fail(title, "Overlay name zero length");
    OverlayTable table;
    File f = OpenOverlayTable(database, "r+b", table, title);
    if (!f)
        return 0;
    uint32_t largest = 0;
    for (const auto& e : table.entries) {
        if (e.handle == 0)
            continue;
        if (std::strncmp(e.name, overlay->name, sizeof e.name) == 0)
            return Fail(title, "Overlay already exists");
        largest = std::max(largest, uint32_t(e.handle));
    }
    OverlayEntryDisk entry{};
    std::memcpy(entry.name, overlay->name, std::strlen(overlay->name));
    entry.handle = largest + 1;
    entry.shown = int16_t(overlay->shown);
    entry.current = int16_t(overlay->current);
    std::string folderName = Format("OVL%05ld", long(entry.handle));
    std::memcpy(entry.folder, folderName.c_str(), std::min(folderName.size(), sizeof entry.folder - 1));
    overlay->handle = entry.handle;

    std::string folder = Format("%s\\%s", DatabaseFolder(database).c_str(), entry.folder);
    // A folder left by a creation that never reached the table is reused; one that holds
    // objects (a table lost or rewritten) is never overwritten.
    if (win::mkdir(folder.c_str()) != 0 && (errno != EEXIST || HoldsObjects(folder)))
        return Fail(title, "Failed creating overlay directory");
    if (!CreateObjectFiles(folder, entry.handle, title))
        return 0;

    if (!WriteOverlayEntry(f.get(), table.entries.size(), entry, title, "Failed seeking in overlay info file"))
        return 0;
    table.entries.push_back(entry);
    table.live += 1;
    if (!WriteOverlayHeader(f.get(), table, title) || !Close(f))
        return Fail(title, "Failed writing to overlays info file");
    return 1;
}

} // namespace db

extern "C" {

int DBCreateOverlay(OverlayInfo* overlay) { return CreateOverlayIn("database", overlay); }

int DeleteOverlay(uint32_t handle)
{
    const char* title = "DeleteOverlay";
    if (handle == 0)
        return Fail(title, "Overlay handle is null");
    // The track overlay holds every recorded track; neither permanent overlay may go.
    if (handle == TRACK_OVERLAY || handle == FOULS_OVERLAY)
        return Fail(title, "Permanent overlays cannot be deleted");
    OverlayTable table;
    File f = OpenOverlayTable("database", "r+b", table, title);
    if (!f)
        return 0;
    OverlayEntryDisk* entry = table.find(handle);
    if (!entry)
        return Fail(title, "Failed to find overlay handle");
    std::string folder = Format("%s\\%.12s", DatabaseFolder("database").c_str(), entry->folder);
    auto removed = [](const std::string& path) {
        return win::remove(path.c_str()) == 0 || errno == ENOENT;
    };
    for (int group = 0; group < 4; ++group) {
        bool ok = true;
        for (const char* stem : OBJECT_STEMS)
            ok = removed(folder + "\\" + stem + OBJECT_EXTENSIONS[group]) && ok;
        if (!ok)
            return Fail(title, DELETE_MESSAGES[group]);
    }
    if (!removed(folder + "\\objects.inf") || (win::rmdir(folder.c_str()) != 0 && errno != ENOENT))
        return Fail(title, "Failed deleting overlay directory");
    std::memset(entry->name, 0, sizeof entry->name);
    std::strcpy(entry->name, "DELETED");
    entry->handle = 0;
    table.live -= 1;
    if (!WriteOverlayEntry(f.get(), size_t(entry - table.entries.data()), *entry, title) ||
        !WriteOverlayHeader(f.get(), table, title))
        return 0;
    return Close(f) ? 1 : Fail(title, "Failed writing to overlays info file");
}

int DBSetOverlayStatus(OverlayInfo* overlay)
{
    const char* title = "DBSetOverlayStatus";
    OverlayTable table;
    File f = OpenOverlayTable("database", "r+b", table, title);
    if (!f)
        return 0;
    OverlayEntryDisk* entry = table.find(overlay->handle);
    if (!entry)
        return Fail(title, "Failed to find overlay handle");
    entry->shown = int16_t(overlay->shown);
    entry->current = int16_t(overlay->current);
    if (!WriteOverlayEntry(f.get(), size_t(entry - table.entries.data()), *entry, title))
        return 0;
    return Close(f) ? 1 : Fail(title, "Failed writing to overlays info file");
}

int GetNoOfOverlays(int* count)
{
    const char* title = "GetNoOfOverlays";
    OverlayTable table;
    if (!OpenOverlayTable("database", "rb", table, title))
        return 0;
    int user = table.live - 2;
    if (user < 0)
        return Failf(APPLICATION_TITLE, "Database Error: No of live overlays=%i", user);
    *count = user;
    return 1;
}

int GetOverlayName(OverlayInfo* overlay)
{
    const char* title = "GetOverlayName";
    OverlayTable table;
    if (!OpenOverlayTable("database", "rb", table, title))
        return 0;
    const OverlayEntryDisk* entry = table.find(overlay->handle);
    if (!entry)
        return Fail(title, "Failed to find overlay handle");
    *overlay = InfoOf(*entry);
    return 1;
}

int GetOverlayHandle(OverlayInfo* overlay)
{
    const char* title = "GetOverlayHandle";
    OverlayTable table;
    if (!OpenOverlayTable("database", "rb", table, title))
        return 0;
    for (const auto& e : table.entries) {
        if (e.handle != 0 && std::strncmp(e.name, overlay->name, sizeof e.name) == 0) {
            *overlay = InfoOf(e);
            return 1;
        }
    }
    return Fail(title, "Failed to find overlay name");
}

int GetOverlays(OverlayInfo* overlays)
{
    OverlayTable table;
    if (!OpenOverlayTable("database", "rb", table, "GetOverlays"))
        return 0;
    for (const auto& e : table.entries)
        if (e.handle != 0)
            *overlays++ = InfoOf(e);
    return 1;
}

int DBGetOverlaysHandleTable(uint32_t* handles)
{
    const char* title = "DBGetOverlaysHandleTable";
    OverlayTable table;
    if (!OpenOverlayTable("database", "rb", table, title))
        return 0;
    int live = 0;
    for (const auto& e : table.entries) {
        if (e.handle == 0)
            continue;
        if (++live > 2)
            *handles++ = e.handle;
    }
    return live < 2 ? Fail(title, "Permanent overlays missing") : 1;
}

int _DBGetOvyDirName(uint32_t handle, char* folder, const char* database)
{
    const char* title = "_DBGetOvyDirName";
    if (handle == 0)
        return Fail(title, "Overlay handle is null");
    std::string path = OverlaysPath(database);
    File f = Open(path, "rb");
    if (!f)
        return Failf(title, "%s (%s): %s", "Failed opening overlays info file", path.c_str(), std::strerror(errno));
    OverlayTable table;
    if (!ReadOverlayTable(f.get(), table, title))
        return 0;
    const OverlayEntryDisk* entry = table.find(handle);
    if (!entry)
        return Fail(title, "Failed to find overlay handle");
    std::snprintf(folder, sizeof entry->folder, "%.12s", entry->folder);
    return 1;
}

} // extern "C"
