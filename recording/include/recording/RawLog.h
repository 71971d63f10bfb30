// The raw data log: while saving is on, every GGA sentence the module parses, followed by the
// depth and echo values of the newest transducer-0 reading.
#pragma once

#include "platform/windef.h"

extern "C" int RawLog(const char* sentence);
// 1 opens the log (asking for its file), 0 closes it; 0 on success or when logging is off
// ("nul"), 1 when there is nothing to do, else the C library's error number.
int RawLogSwitch(HWND window, int on);
