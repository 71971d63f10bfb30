#include "DemoSurvey.h"

#include "DemoBox.h"
#include "ReplayFiles.h"
#include "SurveyPlan.h"
#include "SurveyRecording.h"

#include "database/Catalogue.h"
#include "database/CurrentTrack.h"
#include "database/OverlayStore.h"
#include "platform/files.h"

#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr int STORED_LINES = 4;
constexpr int REPLAY_LINES = 2;
constexpr uint32_t FIRST_PING_TIME = 1778572800; // 2026-05-12 08:00:00 UTC
constexpr unsigned NOISE_SEED = 1;
constexpr const char* DATABASE_NAME = "Demo Survey";

// Opens (or creates) the active database and names a new one; false when it cannot be opened or
// already holds stored tracks, which the demo must not mix with.
bool OpenEmptyDatabase(std::string& error)
{
    if (DBInitialiseDatabase('C') != 1) {
        error = "cannot open the active database c:\\varnel\\database";
        return false;
    }
    uint16_t counts[5] = {};
    if (DBGetNoOfObjects(TRACK_OVERLAY, counts) != 1) {
        error = "cannot count the tracks of c:\\varnel\\database";
        return false;
    }
    // The tracks count includes the current track's placeholder.
    if (counts[OBJ_TRACK - 1] > 1) {
        error = "the active database c:\\varnel\\database already holds tracks; give a fresh data root";
        return false;
    }
    char name[256] = {};
    if (DBGetDatabaseName(name, "database") == 0 && std::strcmp(name, "UNTITLED") == 0)
        DBNameNewDatabase(nullptr, DATABASE_NAME, "database");
    return true;
}

} // namespace

std::optional<DemoSurveyResult> MakeDemoSurvey(std::string& error)
{
    if (!win::PrepareDataRoot()) {
        error = "cannot prepare the data root " + win::DataRoot().string();
        return std::nullopt;
    }
    if (!OpenEmptyDatabase(error))
        return std::nullopt;
    BoxFile box;
    FillDemoBox(&box);
    if (!SaveDemoBox(box)) {
        error = std::string("cannot save ") + DEMO_BOX_PATH;
        return std::nullopt;
    }

    DemoSurveyResult result;
    std::mt19937 random(NOISE_SEED);
    uint32_t time = FIRST_PING_TIME;
    std::vector<SwathReading> replay;
    const std::vector<SurveyLine> lines = DemoSurveyLines(STORED_LINES + REPLAY_LINES);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::vector<SwathReading> readings = PingSurveyLine(lines[i], time, random);
        if (!readings.empty())
            time = uint32_t(readings.back().time) + TURN_SECONDS;
        if (i >= STORED_LINES) {
            replay.insert(replay.end(), readings.begin(), readings.end());
            ++result.replayLines;
            continue;
        }
        if (!RecordSurveyLine(readings, box)) {
            error = "recording a survey line failed";
            return std::nullopt;
        }
        ++result.storedLines;
        result.storedPoints += readings.size();
    }
    result.replayRecords = replay.size();
    // The demo opens on the whole survey: every stored track shown, coloured by class.
    globaltrackstatus.field[TS_SHOW_ALL_TRACKS] = 1;
    globaltrackstatus.field[TS_PAST_BY_CLASS] = 1;
    if (DBSaveTrackStatus(&globaltrackstatus) != 1) {
        error = "cannot save the track status";
        return std::nullopt;
    }
    uint16_t counts[5] = {};
    if (DBGetNoOfObjects(TRACK_OVERLAY, counts) == 1)
        result.storedTracks = counts[OBJ_TRACK - 1] - 1;
    if (!WriteReplayFiles(replay, error))
        return std::nullopt;
    return result;
}
