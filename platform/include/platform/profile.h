// Private-profile (.ini) files with Win32 semantics: case-insensitive sections and keys,
// defaults, buffer truncation, file and section created on first write, keys kept in place.
// A bare file name lives in the Windows directory; a drive path names its own file.
// Thread-safe; a write replaces the file atomically (through a symbolic link, keeping the file's
// permissions). A damaged or unreadable file reads as empty, and a write never replaces a file it
// could not read. A key given twice reads as its first; a value written is cut at a line break.
#pragma once

#include "platform/windef.h"

DWORD GetPrivateProfileStringA(const char* section, const char* key, const char* defaultValue,
                               char* buffer, DWORD size, const char* fileName);
UINT GetPrivateProfileIntA(const char* section, const char* key, int defaultValue,
                           const char* fileName);
// A null value deletes the key, a null key the whole section.
BOOL WritePrivateProfileStringA(const char* section, const char* key, const char* value,
                                const char* fileName);
