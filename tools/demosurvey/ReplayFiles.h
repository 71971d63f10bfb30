// The replay files of survey lines not yet recorded, "c:\varnel\testdata\nav.txt" and
// "sedrix.txt" in replaymake's line formats: line i of each is reading i as the GPS and the
// swath unit gave it (the vessel's position, the slant range and echo values), which is what the
// replay module stands in for, so the replay positions it as a live survey would.
#pragma once

#include "records/TrackRecords.h"

#include <string>
#include <vector>

// False with the reason in `error`.
bool WriteReplayFiles(const std::vector<SwathReading>& readings, std::string& error);
