// The open raw log, shared by the switch that opens and closes it and the writer.
#pragma once

#include "records/TrackRecords.h"

#include <cstdio>

extern FILE* rawLogFile;                // none while logging is off
extern const TrackPoint* rawLogReading; // the reading whose values each line carries
