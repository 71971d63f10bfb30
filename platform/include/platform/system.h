// Process-wide odds and ends: the single-instance lock, the clock, the time zone.
#pragma once

#include "platform/windef.h"

#include <string>

// Milliseconds of a monotonic clock since the process started (the program's clock()).
DWORD GetTickCount();

namespace win {
long clockMs();
// Takes the named lock file under the data root for the rest of the process's life.
// False when another process holds it.
bool acquireInstanceLock(const std::string& name);
// Applies "TZ" from the environment.
void applyTimeZone();
// The folder of the running program.
std::string programFolder();
} // namespace win
