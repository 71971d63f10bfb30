#include "platform/profile.h"
#include "platform/files.h"
#include "hostpaths.h"

#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION // Debian's header keeps the template bodies behind this
#include <SimpleIni.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <strings.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// One lock for all profile files: reads see whole writes, writers never interleave.
std::mutex profileMutex;

using Ini = CSimpleIniA; // the case-insensitive variant

std::optional<fs::path> profilePath(const char* fileName)
{
    if (!fileName || !*fileName)
        return std::nullopt;
    std::string name(fileName);
    if (name.find_first_of("\\/:") != std::string::npos)
        return win::HostPath(name);
    fs::path folder = win::WindowsDirectory();
    if (auto entry = win::detail::findEntryIgnoringCase(folder, name))
        return folder / *entry;
    return folder / name;
}

void configure(Ini& ini)
{
    ini.SetUnicode(false);
    // Duplicate keys are kept so that the first one is the one read, as Win32 reads them.
    ini.SetMultiKey(true);
    ini.SetMultiLine(false);
    ini.SetQuotes(true);
    ini.SetSpaces(false);
}

// A section header missing its ']' ends with its line, as Win32 reads it; the parser would take
// the next line into the name, and every write would then add that line once more.
void closeSectionHeaders(std::string& data)
{
    for (size_t line = 0; line < data.size();) {
        size_t end = std::min(data.find_first_of("\r\n", line), data.size());
        size_t first = data.find_first_not_of(" \t", line);
        if (first < end && data[first] == '[' && data.find(']', first) >= end) {
            data.insert(end, 1, ']');
            ++end;
        }
        line = data.find_first_not_of("\r\n", end);
        if (line == std::string::npos)
            break;
    }
}

// False when a file is there but cannot be read in full: it then reads as empty, and must not
// be replaced by a file holding only the keys written since.
bool load(Ini& ini, const fs::path& path)
{
    configure(ini);
    int fd = win::detail::openRegularFile(path);
    if (fd < 0)
        return errno == ENOENT;
    std::string data;
    char chunk[8192];
    for (;;) {
        ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n > 0) {
            data.append(chunk, size_t(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        ::close(fd);
        if (n < 0)
            return false;
        break;
    }
    // NUL bytes would cut the text short for the parser; a damaged file reads what it can.
    std::replace(data.begin(), data.end(), '\0', ' ');
    closeSectionHeaders(data);
    if (ini.LoadData(data) < 0)
        ini.Reset();
    return true;
}

bool saveAtomically(const Ini& ini, const fs::path& path)
{
    std::string data;
    if (ini.Save(data) < 0)
        return false;
    return win::detail::writeWholeFile(path, data.data(), data.size()) == win::WholeFile::Written;
}

// Copies a NUL-separated list ending in a double NUL, truncated as Win32 does.
DWORD copyList(const std::vector<std::string>& names, char* buffer, DWORD size)
{
    if (size < 2) {
        if (size == 1)
            buffer[0] = '\0';
        return 0;
    }
    DWORD used = 0;
    for (const auto& n : names) {
        if (used + n.size() + 1 > size - 1) {
            DWORD room = size - 1 - used;
            if (room > 0) {
                std::memcpy(buffer + used, n.data(), room - 1);
                buffer[used + room - 1] = '\0';
            }
            buffer[size - 1] = '\0';
            return size - 2;
        }
        std::memcpy(buffer + used, n.c_str(), n.size() + 1);
        used += DWORD(n.size() + 1);
    }
    buffer[used] = '\0';
    return used;
}

DWORD copyValue(const std::string& value, char* buffer, DWORD size)
{
    if (size == 0)
        return 0;
    DWORD n = DWORD(std::min<size_t>(value.size(), size - 1));
    std::memcpy(buffer, value.data(), n);
    buffer[n] = '\0';
    return n;
}

std::vector<std::string> inLoadOrder(Ini::TNamesDepend names)
{
    names.sort(Ini::Entry::LoadOrder());
    std::vector<std::string> out;
    for (const auto& e : names)
        out.emplace_back(e.pItem);
    return out;
}

// The key as the file spells it, so that replacing its value (and every duplicate of it)
// leaves the line as it was written.
std::string storedSpelling(const Ini& ini, const char* section, const char* key)
{
    Ini::TNamesDepend keys;
    ini.GetAllKeys(section, keys);
    keys.sort(Ini::Entry::LoadOrder());
    for (const auto& e : keys)
        if (strcasecmp(e.pItem, key) == 0)
            return e.pItem;
    return key;
}

} // namespace

DWORD GetPrivateProfileStringA(const char* section, const char* key, const char* defaultValue,
                               char* buffer, DWORD size, const char* fileName)
{
    if (!buffer)
        return 0;
    std::lock_guard lock(profileMutex);
    Ini ini;
    if (auto path = profilePath(fileName))
        load(ini, *path);
    else
        configure(ini);
    if (!section) {
        Ini::TNamesDepend sections;
        ini.GetAllSections(sections);
        return copyList(inLoadOrder(sections), buffer, size);
    }
    if (!key) {
        Ini::TNamesDepend keys;
        ini.GetAllKeys(section, keys);
        return copyList(inLoadOrder(keys), buffer, size);
    }
    if (const char* value = ini.GetValue(section, key, nullptr))
        return copyValue(value, buffer, size);
    // Win32 drops trailing blanks of the default.
    std::string fallback = defaultValue ? defaultValue : "";
    while (!fallback.empty() && fallback.back() == ' ')
        fallback.pop_back();
    return copyValue(fallback, buffer, size);
}

UINT GetPrivateProfileIntA(const char* section, const char* key, int defaultValue,
                           const char* fileName)
{
    char text[256];
    if (GetPrivateProfileStringA(section, key, "", text, sizeof text, fileName) == 0)
        return UINT(defaultValue);
    // Leading decimal number as a 32-bit long parses it: clamped, non-numeric text is 0.
    errno = 0;
    long long value = std::strtoll(text, nullptr, 10);
    value = std::clamp<long long>(value, INT_MIN, INT_MAX);
    return UINT(int(value));
}

BOOL WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                const char* fileName)
{
    if (!section)
        return FALSE;
    std::lock_guard lock(profileMutex);
    auto path = profilePath(fileName);
    if (!path) {
        errno = ENOENT;
        return FALSE;
    }
    Ini ini;
    if (!load(ini, *path))
        return FALSE;
    if (!key)
        ini.Delete(section, nullptr, true);
    else if (!value)
        ini.Delete(section, key, false);
    else {
        // A value is one line: a line break in it would write keys and sections of its own.
        std::string line(value);
        line.erase(std::min(line.find_first_of("\r\n"), line.size()));
        if (ini.SetValue(section, storedSpelling(ini, section, key).c_str(), line.c_str(), nullptr,
                         true) < 0)
            return FALSE;
    }
    return saveAtomically(ini, *path) ? TRUE : FALSE;
}
