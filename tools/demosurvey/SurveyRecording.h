// Recording a survey line into the active database as the program records one: saving on, each
// reading positioned beside the track, classified and appended with its time to the current
// track of its beam slot, then saving off, which stores the line as one track per transducer.
#pragma once

#include "classification/BoxFile.h"
#include "records/TrackRecords.h"

#include <vector>

// `readings` as the instruments gave them. False after a database failure was reported.
bool RecordSurveyLine(const std::vector<SwathReading>& readings, BoxFile& box);
