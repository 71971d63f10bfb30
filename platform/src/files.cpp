#include "platform/files.h"
#include "hostpaths.h"
#include "platform/modules.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fnmatch.h>
#include <mutex>
#include <unordered_map>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace win {
namespace {

std::mutex currentDirectoryMutex;
std::string currentDirectory = "C:\\varnel";

struct WindowsPath {
    char drive;                          // lower-case letter
    std::vector<std::string> components; // normalised, no "." or ".."
};

std::vector<std::string> splitComponents(std::string_view text)
{
    std::vector<std::string> parts;
    std::string part;
    for (char c : text) {
        if (c == '\\' || c == '/') {
            if (!part.empty())
                parts.push_back(std::move(part));
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty())
        parts.push_back(std::move(part));
    return parts;
}

bool hasDrive(std::string_view p)
{
    return p.size() >= 2 && p[1] == ':' && std::isalpha(static_cast<unsigned char>(p[0]));
}

std::optional<WindowsPath> parse(std::string_view path)
{
    std::string base;
    {
        std::lock_guard lock(currentDirectoryMutex);
        base = currentDirectory;
    }
    WindowsPath result;
    std::vector<std::string> raw;
    if (hasDrive(path)) {
        result.drive = static_cast<char>(std::tolower(static_cast<unsigned char>(path[0])));
        std::string_view rest = path.substr(2);
        if (rest.empty() || (rest[0] != '\\' && rest[0] != '/')) {
            // "d:file" is relative to that drive's current folder; only C: keeps one.
            if (std::tolower(static_cast<unsigned char>(base[0])) == result.drive)
                raw = splitComponents(std::string_view(base).substr(2));
        }
        auto more = splitComponents(rest);
        raw.insert(raw.end(), more.begin(), more.end());
    } else {
        result.drive = static_cast<char>(std::tolower(static_cast<unsigned char>(base[0])));
        if (path.empty() || (path[0] != '\\' && path[0] != '/'))
            raw = splitComponents(std::string_view(base).substr(2));
        auto more = splitComponents(path);
        raw.insert(raw.end(), more.begin(), more.end());
    }
    for (auto& c : raw) {
        if (c == ".")
            continue;
        if (c == "..") {
            if (!result.components.empty())
                result.components.pop_back();
            continue;
        }
        result.components.push_back(std::move(c));
    }
    return result;
}

fs::path driveRoot(char drive)
{
    return DataRoot() / "dosdevices" / std::string{drive, ':'};
}

} // namespace

namespace {

// Letters compare ignoring case, whatever the locale; other bytes compare as they are.
char asciiUpper(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

bool sameIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return asciiUpper(x) == asciiUpper(y);
           });
}

std::string inCapitals(std::string name)
{
    std::transform(name.begin(), name.end(), name.begin(), asciiUpper);
    return name;
}

bool entryExists(const fs::path& folder, const std::string& name)
{
    std::error_code ec;
    return fs::symlink_status(folder / name, ec).type() != fs::file_type::not_found && !ec;
}

} // namespace

std::optional<std::string> detail::findEntryIgnoringCase(const fs::path& folder, const std::string& name)
{
    if (entryExists(folder, name))
        return name;
    // Of all the spellings of a name, the one in capitals sorts first, so when it exists it is
    // what reading the folder would find; names written by Windows programs mostly are.
    const std::string capitals = inCapitals(name);
    if (capitals != name && entryExists(folder, capitals))
        return capitals;
    std::optional<std::string> found;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string entry = it->path().filename().string();
        if (sameIgnoringCase(entry, name)) {
            if (!found || entry < *found)
                found = entry;
        }
    }
    return found;
}

int detail::openRegularFile(const fs::path& path)
{
    // Non-blocking only until the type is known: a pipe opened for reading would wait for a writer.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENXIO) // a socket, or a device with nothing behind it
            errno = EINVAL;
        return -1;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

WholeFile detail::writeWholeFile(const fs::path& link, const void* data, size_t bytes)
{
    std::error_code ec, absent;
    fs::path path = link;
    if (fs::symlink_status(link, absent).type() == fs::file_type::symlink)
        path = fs::weakly_canonical(link, ec);
    if (ec || !fs::is_directory(path.parent_path(), ec)) {
        errno = ENOENT;
        return WholeFile::NotCreated;
    }
    fs::path temp = path;
    temp += ".tmp" + std::to_string(getpid());
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return WholeFile::NotCreated;
    // The new file keeps the permissions of the one it replaces (a private file stays private).
    if (struct stat old; ::stat(path.c_str(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777);
    auto p = static_cast<const char*>(data);
    size_t left = bytes;
    int error = 0;
    while (left > 0 && !error) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno != EINTR)
            error = errno;
        if (n == 0)
            error = EIO;
        if (n > 0) {
            p += n;
            left -= size_t(n);
        }
    }
    if (!error && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && !error)
        error = errno;
    WholeFile result = error ? WholeFile::NotWritten : WholeFile::Written;
    if (!error && std::rename(temp.c_str(), path.c_str()) != 0) {
        error = errno;
        result = WholeFile::NotCreated;
    }
    if (error) {
        ::unlink(temp.c_str());
        errno = error;
    }
    return result;
}

namespace {

int setErrnoResult(int rc) { return rc == 0 ? 0 : -1; }

int64_t toUnixNanos(const FILETIME& ft)
{
    uint64_t ticks = (uint64_t(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return (int64_t(ticks) - 116444736000000000LL) * 100;
}

FILETIME fromStatx(const struct statx_timestamp& t)
{
    uint64_t ticks = uint64_t(int64_t(t.tv_sec) * 10000000LL + t.tv_nsec / 100 + 116444736000000000LL);
    return FILETIME{DWORD(ticks & 0xffffffffu), DWORD(ticks >> 32)};
}

} // namespace

fs::path DataRoot()
{
    if (const char* home = std::getenv("TIDEVANE_HOME"); home && *home)
        return home;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        return fs::path(xdg) / "tidevane";
    const char* home = std::getenv("HOME");
    return fs::path(home && *home ? home : "/tmp") / ".local" / "share" / "tidevane";
}

fs::path WindowsDirectory() { return DataRoot() / "windows"; }

bool PrepareDataRoot()
{
    std::error_code ec;
    fs::create_directories(WindowsDirectory(), ec);
    if (ec)
        return false;
    fs::path c = driveRoot('c');
    if (!fs::exists(c, ec))
        fs::create_directories(c, ec);
    if (ec)
        return false;
    if (mkdir("c:\\varnel") != 0 && errno != EEXIST)
        return false;
    return SetCurrentDirectory("c:\\varnel");
}

namespace {

// Names found spelt in capitals where the path gave them otherwise (the track database's
// "ovl00001" is "OVL00001" on disk), by the folder's host path and the name as given. Only a
// hint of what to try first: knownSpelling checks every use against what exists.
std::mutex capitalsMutex;
std::unordered_map<std::string, std::string> capitalSpellings;
constexpr size_t MAX_CAPITAL_SPELLINGS = 4096;

void noteSpelling(const fs::path& folder, const std::string& given, const std::string& found)
{
    std::string key = folder.native() + '/' + given;
    std::lock_guard lock(capitalsMutex);
    if (found == given || found != inCapitals(given)) {
        capitalSpellings.erase(key);
        return;
    }
    if (capitalSpellings.size() >= MAX_CAPITAL_SPELLINGS)
        capitalSpellings.clear();
    capitalSpellings[std::move(key)] = found;
}

// The path as given, with the names last found in capitals in capitals, when it exists and
// none of those names exists as given: then the walk in HostPath would find just this, as an
// exact match wins and of all spellings of a name the one in capitals sorts first. One status
// call for a path spelt as it exists, one more for each name in capitals.
std::optional<std::string> knownSpelling(const fs::path& root, const std::vector<std::string>& components)
{
    if (components.empty())
        return std::nullopt;
    std::string path = root.native();
    std::vector<std::string> mustBeMissing;
    {
        std::lock_guard lock(capitalsMutex);
        for (const auto& component : components) {
            std::string given = path + '/' + component;
            auto known = capitalSpellings.find(given);
            if (known == capitalSpellings.end()) {
                path = std::move(given);
                continue;
            }
            (path += '/') += known->second;
            mustBeMissing.push_back(std::move(given));
        }
    }
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0)
        return std::nullopt;
    for (const auto& given : mustBeMissing)
        if (::lstat(given.c_str(), &st) == 0 || errno != ENOENT)
            return std::nullopt;
    return path;
}

} // namespace

std::optional<fs::path> HostPath(std::string_view windowsPath)
{
    auto parsed = parse(windowsPath);
    if (!parsed)
        return std::nullopt;
    fs::path host = driveRoot(parsed->drive);
    if (auto known = knownSpelling(host, parsed->components))
        return fs::path(std::move(*known));
    std::error_code ec;
    if (!fs::is_directory(host, ec))
        return std::nullopt;
    bool resolving = true;
    for (const auto& component : parsed->components) {
        if (resolving) {
            if (auto entry = detail::findEntryIgnoringCase(host, component)) {
                noteSpelling(host, component, *entry);
                host /= *entry;
                continue;
            }
            resolving = false;
        }
        host /= component;
    }
    return host;
}

std::optional<std::string> DrivePathOf(const std::filesystem::path& chosen)
{
    std::error_code error;
    auto file = std::filesystem::weakly_canonical(chosen, error);
    if (error)
        return std::nullopt;
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        auto root = HostPath(std::string{letter, ':', '\\'});
        if (!root || !std::filesystem::is_directory(*root, error))
            continue;
        auto drive = std::filesystem::weakly_canonical(*root, error);
        if (error)
            continue;
        auto inside = file.lexically_relative(drive);
        if (inside.empty() || inside == "." || *inside.begin() == "..")
            continue;
        std::string path{letter, ':'};
        for (const auto& part : inside)
            path += "\\" + part.string();
        return path;
    }
    return std::nullopt;
}

std::string CurrentDirectory()
{
    std::lock_guard lock(currentDirectoryMutex);
    return currentDirectory;
}

bool SetCurrentDirectory(std::string_view windowsPath)
{
    auto parsed = parse(windowsPath);
    auto host = HostPath(windowsPath);
    std::error_code ec;
    if (!parsed || !host || !fs::is_directory(*host, ec)) {
        errno = ENOENT;
        return false;
    }
    std::string text{char(std::toupper(parsed->drive)), ':'};
    for (const auto& c : parsed->components)
        text += "\\" + c;
    if (parsed->components.empty())
        text += "\\";
    std::lock_guard lock(currentDirectoryMutex);
    currentDirectory = text;
    return true;
}

FILE* fopen(const char* path, const char* mode)
{
    auto host = HostPath(path);
    if (!host) {
        errno = ENOENT;
        return nullptr;
    }
    // Windows modes may carry 't' (text) which the C library here does not know.
    std::string m;
    for (const char* p = mode; *p; ++p)
        if (*p != 't')
            m += *p;
    FILE* f = std::fopen(host->c_str(), m.c_str());
    if (f)
        fcntl(fileno(f), F_SETFD, FD_CLOEXEC);
    return f;
}

FILE* fopenRegular(const char* path)
{
    auto host = HostPath(path);
    if (!host) {
        errno = ENOENT;
        return nullptr;
    }
    int fd = detail::openRegularFile(*host);
    if (fd < 0)
        return nullptr;
    FILE* f = ::fdopen(fd, "rb");
    if (!f)
        ::close(fd);
    return f;
}

WholeFile writeWholeFile(const char* path, const void* data, size_t bytes)
{
    auto host = HostPath(path);
    if (!host) {
        errno = ENOENT;
        return WholeFile::NotCreated;
    }
    return detail::writeWholeFile(*host, data, bytes);
}

int access(const char* path, int mode)
{
    auto host = HostPath(path);
    if (!host) {
        errno = ENOENT;
        return -1;
    }
    return ::access(host->c_str(), mode);
}

int mkdir(const char* path)
{
    auto host = HostPath(path);
    if (!host) {
        errno = ENOENT;
        return -1;
    }
    return ::mkdir(host->c_str(), 0777);
}

int rmdir(const char* path)
{
    auto host = HostPath(path);
    if (!host) {
        errno = ENOENT;
        return -1;
    }
    return ::rmdir(host->c_str());
}

int rename(const char* from, const char* to)
{
    auto a = HostPath(from);
    auto b = HostPath(to);
    if (!a || !b) {
        errno = ENOENT;
        return -1;
    }
    // Windows refuses to rename onto an existing file (a change of case only is allowed).
    std::error_code ec;
    if (fs::exists(*b, ec) && !fs::equivalent(*a, *b, ec)) {
        errno = EEXIST;
        return -1;
    }
    return setErrnoResult(std::rename(a->c_str(), b->c_str()));
}

int remove(const char* path)
{
    auto host = HostPath(path);
    if (!host) {
        errno = ENOENT;
        return -1;
    }
    return ::unlink(host->c_str());
}

int64_t fileSize(const char* path)
{
    auto host = HostPath(path);
    struct stat st;
    if (!host || ::stat(host->c_str(), &st) != 0)
        return -1;
    return st.st_size;
}

bool isDirectory(const char* path)
{
    auto host = HostPath(path);
    std::error_code ec;
    return host && fs::is_directory(*host, ec);
}

bool copyFile(const char* from, const char* to, bool overwrite)
{
    auto a = HostPath(from);
    auto b = HostPath(to);
    if (!a || !b)
        return false;
    std::error_code ec;
    auto options = overwrite ? fs::copy_options::overwrite_existing : fs::copy_options::none;
    return fs::copy_file(*a, *b, options, ec) && !ec;
}

bool matchesPattern(std::string_view name, std::string_view pattern)
{
    std::string p(pattern);
    if (p == "*.*")
        p = "*";
    return fnmatch(p.c_str(), std::string(name).c_str(), FNM_CASEFOLD) == 0;
}

std::vector<FoundFile> findFiles(const char* pattern)
{
    std::string text(pattern);
    auto cut = text.find_last_of("\\/");
    std::string folder = cut == std::string::npos ? std::string(".") : text.substr(0, cut + 1);
    std::string mask = cut == std::string::npos ? text : text.substr(cut + 1);
    std::vector<FoundFile> found;
    auto host = HostPath(folder);
    std::error_code ec;
    if (!host)
        return found;
    for (fs::directory_iterator it(*host, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (!matchesPattern(name, mask))
            continue;
        std::error_code sizeError;
        bool directory = it->is_directory(sizeError);
        int64_t size = directory ? 0 : int64_t(it->file_size(sizeError));
        found.push_back({name, directory, sizeError ? 0 : size});
    }
    std::sort(found.begin(), found.end(), [](const FoundFile& a, const FoundFile& b) {
        return strcasecmp(a.name.c_str(), b.name.c_str()) < 0;
    });
    return found;
}

int getFileTimes(const char* path, FILETIME& creation, FILETIME& accessTime, FILETIME& write)
{
    auto host = HostPath(path);
    if (!host)
        return ERROR_PATH_NOT_FOUND;
    struct statx sx;
    if (statx(AT_FDCWD, host->c_str(), 0, STATX_BTIME | STATX_ATIME | STATX_MTIME, &sx) != 0)
        return errno == ENOENT ? int(ERROR_FILE_NOT_FOUND) : errno;
    write = fromStatx(sx.stx_mtime);
    accessTime = fromStatx(sx.stx_atime);
    // Without a birth time the oldest known time stands in for it.
    creation = (sx.stx_mask & STATX_BTIME) ? fromStatx(sx.stx_btime) : fromStatx(sx.stx_ctime);
    return 0;
}

int setFileTimes(const char* path, const FILETIME& accessTime, const FILETIME& write)
{
    auto host = HostPath(path);
    if (!host)
        return ERROR_PATH_NOT_FOUND;
    struct timespec times[2];
    for (int i = 0; i < 2; ++i) {
        int64_t ns = toUnixNanos(i == 0 ? accessTime : write);
        times[i].tv_sec = ns >= 0 ? ns / 1000000000 : -((-ns + 999999999) / 1000000000);
        times[i].tv_nsec = ns - int64_t(times[i].tv_sec) * 1000000000;
    }
    if (utimensat(AT_FDCWD, host->c_str(), times, 0) != 0)
        return errno == ENOENT ? int(ERROR_FILE_NOT_FOUND) : errno;
    return 0;
}

} // namespace win

DWORD GetShortPathNameA(const char* longPath, char* shortPath, DWORD size)
{
    if (!longPath || win::access(longPath, 0) != 0) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return 0;
    }
    DWORD length = DWORD(std::strlen(longPath));
    if (!shortPath || size <= length)
        return length + 1;
    std::memcpy(shortPath, longPath, length + 1);
    return length;
}
