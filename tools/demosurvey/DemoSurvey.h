// The survey part of a demo data root, on drive C: of $TIDEVANE_HOME: the demo box file, survey
// lines recorded and stored in the active database, and replay files of the lines after them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

struct DemoSurveyResult {
    int storedLines = 0;
    int storedTracks = 0;
    std::size_t storedPoints = 0;
    int replayLines = 0;
    std::size_t replayRecords = 0;
};

// What was made, or nothing with the reason in `error` (database failures have also been
// reported as the database reports them).
std::optional<DemoSurveyResult> MakeDemoSurvey(std::string& error);
