// The vessel's course made good, for readings that come without a heading and no compass.
#pragma once

#include <cstdint>

// Every position fix; a fix at the same place as the last one is not a new fix.
void NoteVesselFix(int32_t lat, int32_t lon);
// Degrees true from the last two distinct fixes, 0..360; negative until there are two.
float CourseFromFixes();
void ForgetVesselFixes();
