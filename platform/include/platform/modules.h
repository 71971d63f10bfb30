// Modules by name over dlopen, with Win32 error codes through GetLastError:
// 126 not found, 1157 a library it needs is missing, 127 no such export, 6 invalid handle.
// A bare name is looked for in the program's folder, then in a "lib" folder beside it; ".so" is
// added when the name has no extension. Names match case-insensitively, and a module loaded more
// than once stays loaded until freed as often.
#pragma once

#include "platform/windef.h"

HMODULE LoadLibraryA(const char* name);
FARPROC GetProcAddress(HMODULE module, const char* name);
BOOL FreeLibrary(HMODULE module);
DWORD GetLastError();
void SetLastError(DWORD code);

namespace win {
// The dynamic loader's own text for the last failure of LoadLibraryA on this thread.
const char* lastLoaderError();
}
