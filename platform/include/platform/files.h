// Drive-letter paths ("c:\varnel\database\ovl00001") mapped onto the data root:
// $TIDEVANE_HOME/dosdevices/<letter>: per drive, backslashes as separators, and every component
// matched case-insensitively against what exists (new names are created as given).
#pragma once

#include "platform/windef.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace win {

// $TIDEVANE_HOME, else $XDG_DATA_HOME/tidevane, else ~/.local/share/tidevane.
std::filesystem::path DataRoot();
// Where bare profile names ("VARNEL.INI") live.
std::filesystem::path WindowsDirectory();
// Creates the data root, drive C: with "c:\varnel", and the Windows directory when missing,
// and makes "c:\varnel" the current directory. Programs call it once at start.
bool PrepareDataRoot();

// The host path of a Windows path, or nothing when its drive does not exist.
// Relative paths are taken from the current directory, "\x" from the current drive's root.
std::optional<std::filesystem::path> HostPath(std::string_view windowsPath);

// The drive path ("c:\varnel\raw.txt") of a file chosen on the host (in a file dialog), or
// nothing when it lies outside every drive of the data root.
std::optional<std::string> DrivePathOf(const std::filesystem::path& hostPath);

// The process's current directory, in drive terms ("C:\varnel").
std::string CurrentDirectory();
bool SetCurrentDirectory(std::string_view windowsPath);

// C-library file calls on Windows paths; results and errno as the C library gives them.
FILE* fopen(const char* path, const char* mode);
// Opens an existing regular file for binary reading. Anything else in its place (a pipe, a
// device, a folder) is refused with errno EINVAL without waiting: opening a pipe would wait for
// a writer for ever.
FILE* fopenRegular(const char* path);
// Writes a whole file through a temporary beside it, renamed over it only once written, flushed
// to disk and closed: a failed write (a full disk) leaves the old file as it was, and no
// temporary behind. A symbolic link stays and the file it points to is replaced, keeping its
// permissions. errno says why it failed.
enum class WholeFile {
    Written,
    NotCreated, // no file can be made there: no such folder, a read-only one, a folder in its place
    NotWritten, // not all of it reached the disk: the disk is full, an I/O error
};
WholeFile writeWholeFile(const char* path, const void* data, size_t bytes);
int access(const char* path, int mode); // 0: exists (mode 0) / permitted; -1 otherwise
int mkdir(const char* path);
int rmdir(const char* path);
int rename(const char* from, const char* to);
int remove(const char* path);
int64_t fileSize(const char* path); // -1 when it does not exist
bool isDirectory(const char* path);
bool copyFile(const char* from, const char* to, bool overwrite);

struct FoundFile {
    std::string name;
    bool directory;
    int64_t size;
};
// Entries of a folder matching a Windows pattern ("c:\varnel\import\*.t-d", "*.*"),
// case-insensitively, in name order; "." and ".." are left out.
std::vector<FoundFile> findFiles(const char* pattern);
// The Windows pattern test on its own: '*' and '?', case-insensitive, "*.*" matches all.
bool matchesPattern(std::string_view name, std::string_view pattern);

// Creation, last-access and last-write times. Linux cannot set a creation time: setting
// restores access and write times only. Result: 0, or the system error code.
int getFileTimes(const char* path, FILETIME& creation, FILETIME& access, FILETIME& write);
int setFileTimes(const char* path, const FILETIME& access, const FILETIME& write);

} // namespace win

// There are no 8.3 names here: the short name of an existing path is the path itself.
// 0 with GetLastError() = ERROR_FILE_NOT_FOUND when it does not exist.
DWORD GetShortPathNameA(const char* longPath, char* shortPath, DWORD size);
