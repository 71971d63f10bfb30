#include "database/DbFiles.h"
#include "database/TrackStore.h"

#include "platform/files.h"
#include "platform/messages.h"

#include <array>
#include <cctype>
#include <cstdarg>

// Declared extern "C" in TrackStore.h.
char szVarnelDir[MAX_PATH] = "c:\\varnel";

namespace db {
namespace {

char driveLetter = 'C';

std::string VFormat(const char* format, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text(n > 0 ? size_t(n) : 0, '\0');
    std::vsnprintf(text.data(), text.size() + 1, format, args);
    return text;
}

using SlotNames = std::array<std::array<std::string, 3>, BEAM_SLOTS>;

SlotNames BuildSlotNames()
{
    SlotNames names;
    names[0] = {Format("%s.%s", "trk00001", "dat"), Format("%s.%s", "trkcurr", "inf"),
                Format("%s.%s", "trk00001", "tim")};
    for (int slot = 1; slot < BEAM_SLOTS; ++slot) {
        int number = slot < 4 ? slot : slot + 92;
        names[slot] = {Format("%s%02d%s.%s", "t", number, "00001", "dat"),
                       Format("%s%02d.%s", "trkcur", number, "inf"),
                       Format("%s%02d%s.%s", "t", number, "00001", "tim")};
    }
    return names;
}

} // namespace

char DriveLetter() { return driveLetter; }

void SetDriveLetter(char drive)
{
    driveLetter = drive;
    szVarnelDir[0] = drive;
}

std::string DatabaseFolder(const char* nameOrPath)
{
    std::string text = nameOrPath ? nameOrPath : "";
    if (text.find_first_of(":\\/") != std::string::npos)
        return text;
    return Format("%c:\\varnel\\%s", driveLetter, text.c_str());
}

std::string TrackFolder(const char* nameOrPath)
{
    return Format("%s\\%s", DatabaseFolder(nameOrPath).c_str(), TRACK_OVERLAY_FOLDER);
}

const char* CurrentTrackFileName(int slot, CurrentFile kind)
{
    static const SlotNames names = BuildSlotNames();
    return names[slot & 7][int(kind)].c_str();
}

std::string CurrentTrackPath(int slot, CurrentFile kind)
{
    return Format("%s\\%s", TrackFolder("database").c_str(), CurrentTrackFileName(slot, kind));
}

std::string TrackStatusPath()
{
    return Format("%s\\%s", TrackFolder("database").c_str(), TRACK_STATUS_FILE);
}

std::string BeamTablePath(const char* database)
{
    return Format("%s\\%s", TrackFolder(database).c_str(), BEAM_TABLE_FILE);
}

std::string Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = VFormat(format, args);
    va_end(args);
    return text;
}

File Open(const std::string& path, const char* mode) { return File(win::fopen(path.c_str(), mode)); }

File OpenForUpdate(const std::string& path)
{
    File f = Open(path, "r+b");
    if (!f && !Exists(path))
        f = Open(path, "w+b");
    return f;
}

long SizeOf(FILE* f)
{
    if (std::fseek(f, 0, SEEK_END) != 0)
        return -1;
    return std::ftell(f);
}

bool Close(File& file)
{
    FILE* f = file.release();
    bool ok = !std::ferror(f);
    return std::fclose(f) == 0 && ok;
}

namespace {

WriteResult Replace(const std::string& path, const void* data, size_t bytes)
{
    switch (win::writeWholeFile(path.c_str(), data, bytes)) {
    case win::WholeFile::Written: return WriteResult::Ok;
    case win::WholeFile::NotCreated: return WriteResult::OpenFailed;
    case win::WholeFile::NotWritten: break;
    }
    return WriteResult::WriteFailed;
}

} // namespace

WriteResult ReplaceTrackFolderFile(const char* name, const void* data, size_t bytes)
{
    return Replace(Format("%s\\%s", TrackFolder("database").c_str(), name), data, bytes);
}

WriteResult ReplaceDatabaseFile(const char* name, const void* data, size_t bytes)
{
    return Replace(Format("%s\\%s", DatabaseFolder("database").c_str(), name), data, bytes);
}

bool Exists(const std::string& path) { return win::access(path.c_str(), 0) == 0; }

int Fail(const char* title, const char* text)
{
    MessageBeep(MB_ICONEXCLAMATION);
    MessageBoxA(nullptr, text, title, MB_OK | MB_ICONHAND);
    return 0;
}

int Failf(const char* title, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = VFormat(format, args);
    va_end(args);
    return Fail(title, text.c_str());
}

} // namespace db
