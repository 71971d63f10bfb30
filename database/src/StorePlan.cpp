#include "database/StorePlan.h"

#include "database/DbFiles.h"

#include "platform/files.h"

#include <sstream>

using namespace db;

namespace {

const char* const PLAN_FILE = "trkstore.inf";

std::string PlanPath() { return Format("%s\\%s", DatabaseFolder("database").c_str(), PLAN_FILE); }

} // namespace

// Text: the folder on the first line, then the record's spare fields and box signature, then
// one "slot handle" line per track.
bool WriteStorePlan(const StorePlan& plan)
{
    std::ostringstream text;
    const TrackInfo& r = plan.record;
    text << plan.folder << '\n'
         << r.spare1 << ' ' << r.spare2 << ' ' << r.spare3 << ' ' << r.spare4 << ' ' << r.boxsignature << '\n';
    for (const PlannedTrack& track : plan.tracks)
        text << track.slot << ' ' << track.handle << '\n';
    std::string bytes = text.str();
    return ReplaceDatabaseFile(PLAN_FILE, bytes.data(), bytes.size()) == WriteResult::Ok;
}

std::optional<StorePlan> ReadStorePlan()
{
    File f = Open(PlanPath(), "rb");
    if (!f)
        return std::nullopt;
    std::string bytes;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f.get())) > 0;)
        bytes.append(buffer, n);
    std::istringstream text(bytes);
    StorePlan plan{};
    TrackInfo& r = plan.record;
    if (!std::getline(text, plan.folder) ||
        !(text >> r.spare1 >> r.spare2 >> r.spare3 >> r.spare4 >> r.boxsignature))
        return std::nullopt;
    PlannedTrack track{};
    while (text >> track.slot >> track.handle)
        if (track.slot >= 0 && track.slot < BEAM_SLOTS && track.handle > CURRENT_TRACK_HANDLE)
            plan.tracks.push_back(track);
    return plan;
}

bool RemoveStorePlan() { return win::remove(PlanPath().c_str()) == 0 || !Exists(PlanPath()); }
