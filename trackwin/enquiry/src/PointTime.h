// The time of a stored point, from its track's time file, as the dialog shows it.
#pragma once

#include <cstdint>

// "%02d:%02d:%02d" and "%02d-%02d-%02d" (day, month, four-digit year) in local time; zeros
// when the time file or its entry is missing or the time is 0.
void ReadPointTime(uint32_t handle, int32_t index, char time[20], char date[20]);
