// Paths of the track database and the plumbing every database operation shares: the drive
// letter, the path templates, the beam-slot file names, file handles and failure reports.
#pragma once

#include "records/TrackStoreFiles.h"

#include <cstdio>
#include <memory>
#include <string>

namespace db {

// The drive of the databases ('C' unless the start-up configuration chose another).
char DriveLetter();
void SetDriveLetter(char drive);

// A database given by folder name ("database") or by full folder path.
std::string DatabaseFolder(const char* nameOrPath);
// "%c:\varnel\%s\ovl00001" of a database.
std::string TrackFolder(const char* nameOrPath);
// The active database's current-track file of a beam slot.
enum class CurrentFile { Points, Info, Times };
const char* CurrentTrackFileName(int slot, CurrentFile kind);
std::string CurrentTrackPath(int slot, CurrentFile kind);
std::string TrackStatusPath();
std::string BeamTablePath(const char* database = "database");

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;
File Open(const std::string& path, const char* mode);
// Opens for reading and writing, creating the file only when it does not exist: an existing
// file that fails to open is never truncated.
File OpenForUpdate(const std::string& path);
// Size of an open file, -1 on failure; leaves the position at the end.
long SizeOf(FILE* f);
// Closes and reports whether everything written reached the file.
bool Close(File& file);

// Replaces a whole small file of the active database's track folder at once, so that a crash
// or a full disk leaves the old content or the new, never half a record.
enum class WriteResult { Ok, OpenFailed, WriteFailed };
WriteResult ReplaceTrackFolderFile(const char* name, const void* data, size_t bytes);
// The same for a file of the active database's own folder.
WriteResult ReplaceDatabaseFile(const char* name, const void* data, size_t bytes);
bool Exists(const std::string& path);

// Warning beep and an error box titled with the operation; returns 0 for `return Fail(...)`.
int Fail(const char* title, const char* text);
int Failf(const char* title, const char* format, ...) __attribute__((format(printf, 2, 3)));

// The caption of messages titled with the application's title.
inline constexpr const char* APPLICATION_TITLE = "Varnel System Manager";

} // namespace db
