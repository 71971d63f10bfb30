#include "Check.h"

#include "Scenario.h"
#include "TempDataRoot.h"

#include "database/DbFiles.h"
#include "platform/files.h"
#include "records/TrackStoreFiles.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace killsweep {

RunLog RunLog::Parse(const std::string& output)
{
    RunLog log;
    // Only whole lines: a line cut short was never fully printed.
    std::istringstream lines(output.substr(0, output.rfind('\n') + 1));
    std::string word;
    int n = 0;
    while (lines >> word >> n) {
        if (word == "appended")
            log.appended.insert(n);
        else if (word == "timed")
            log.timed.insert(n);
        else if (word == "stored")
            log.stored.insert(n);
        else if (word == "started")
            log.started = true;
        else if (word == "saverate")
            log.saveRate = n;
    }
    return log;
}

namespace {

template <typename... Parts>
std::string Text(const Parts&... parts)
{
    std::ostringstream s;
    (s << ... << parts);
    return s.str();
}

template <typename T>
std::vector<T> Records(const std::string& bytes)
{
    std::vector<T> records(bytes.size() / sizeof(T));
    std::memcpy(static_cast<void*>(records.data()), bytes.data(), records.size() * sizeof(T));
    return records;
}

fs::path TrackFolderOf(const std::string& database)
{
    return *win::HostPath("c:\\varnel\\" + database + "\\" + TRACK_OVERLAY_FOLDER);
}

struct Place {
    std::string database;
    uint32_t handle;
};

struct Checker {
    const RunLog& killed;
    const RunLog& resumed;
    std::vector<std::string> problems;
    std::map<int, std::vector<Place>> places; // stored copies of each reading

    template <typename... Parts>
    void Problem(const Parts&... parts)
    {
        problems.push_back(Text(parts...));
    }

    bool TimeReturned(int id) const { return killed.timed.count(id) || resumed.timed.count(id); }

    // A stored track: one slot's readings, each with its own time, described by its entry.
    void CheckTrack(const std::string& database, const fs::path& folder, const TrackInfoDisk& entry,
                    const std::vector<int16_t>& beams)
    {
        const uint32_t handle = entry.handle;
        const std::string name = Text(database, " track ", handle);
        fs::path pointFile = folder / StoredTrackFileName(handle, "dat");
        fs::path timeFile = folder / StoredTrackFileName(handle, "tim");
        if (!fs::exists(pointFile) || !fs::exists(timeFile))
            return Problem(name, " has no ", fs::exists(pointFile) ? "time" : "point", " file");
        std::string bytes = TempDataRoot::readFile(pointFile);
        if (bytes.size() % sizeof(TrackPoint))
            Problem(name, " ends in a torn point");
        auto points = Records<TrackPoint>(bytes);
        auto times = Records<uint32_t>(TempDataRoot::readFile(timeFile));
        if (points.empty())
            Problem(name, " is empty");
        if (times.size() != points.size())
            Problem(name, " has ", points.size(), " points and ", times.size(), " times");

        std::set<int> slots, recordings;
        TrackInfoDisk measured{};
        for (size_t i = 0; i < points.size(); ++i) {
            const TrackPoint& p = points[i];
            int id = int(p.depth);
            Reading r = ReadingOf(id);
            if (id <= 0 || std::memcmp(&p, &r.point, sizeof p) != 0) {
                Problem(name, " point ", i, " is no recorded reading");
                continue;
            }
            places[id].push_back({database, handle});
            slots.insert(r.slot);
            recordings.insert(r.recording);
            if (i < times.size() && times[i] == 0)
                Problem(name, " gives reading ", id, " the time 0");
            // A time whose append never returned may be lost; what stands in for it is not checked.
            else if (i < times.size() && times[i] != r.time && TimeReturned(id))
                Problem(name, " gives reading ", id, " the time of reading ", int(times[i] - 1700000000u));
            if (p.colour == COLOUR_ERASED)
                continue;
            if (measured.points++ == 0) {
                measured.leftlon = measured.rightlon = p.lon;
                measured.toplat = measured.bottomlat = p.lat;
            }
            ExtendRect(measured, p.lon, p.lat);
        }
        if (slots.size() > 1)
            Problem(name, " mixes the readings of ", slots.size(), " slots");
        if (recordings.size() > 1)
            Problem(name, " mixes the readings of ", recordings.size(), " recordings");
        if (slots.size() == 1) {
            int slot = *slots.begin();
            if (handle >= beams.size())
                Problem(name, " has no beam (slot ", slot, ")");
            else if (int beam = DecodeBeamTableValue(beams[handle]); beam != SlotTransducer(slot))
                Problem(name, " has beam ", beam, " for slot ", slot);
        }
        if (entry.points != measured.points)
            Problem(name, " says ", entry.points, " points, holds ", measured.points);
        if (measured.points > 0 &&
            (entry.leftlon != measured.leftlon || entry.toplat != measured.toplat ||
             entry.rightlon != measured.rightlon || entry.bottomlat != measured.bottomlat))
            Problem(name, " has a rectangle other than its points'");
    }

    void CheckDatabase(const std::string& database)
    {
        fs::path folder = TrackFolderOf(database);
        fs::path tracksInf = folder / TRACKS_INF;
        if (!fs::exists(tracksInf))
            return Problem(database, " has no ", TRACKS_INF);
        std::string bytes = TempDataRoot::readFile(tracksInf);
        if (bytes.size() % TRACKS_INF_ENTRY_BYTES)
            Problem(database, " ", TRACKS_INF, " is ", bytes.size(), " bytes");
        auto entries = Records<TracksInfEntryDisk>(bytes);
        auto beams = Records<int16_t>(TempDataRoot::readFile(folder / BEAM_TABLE_FILE));
        int live = 0;
        for (size_t k = 0; k < entries.size(); ++k) {
            const TrackInfoDisk& entry = entries[k].info;
            live += entry.handle != 0;
            if (entry.handle != k + 1)
                Problem(database, " entry ", k, " has handle ", entry.handle);
            else if (k > 0)
                CheckTrack(database, folder, entry, beams);
        }
        auto counts = Records<ObjectCounts>(TempDataRoot::readFile(folder / OBJECTS_INF));
        if (counts.size() != 2)
            return Problem(database, " ", OBJECTS_INF, " holds ", counts.size(), " records");
        if (counts[0].tracks != int(entries.size()) || counts[1].tracks != live)
            Problem(database, " counts ", counts[0].tracks, "/", counts[1].tracks, " tracks for ", entries.size(),
                    " entries, ", live, " live");
    }

    // Every reading whose append returned is stored once; the one being appended at most once.
    void CheckReadings()
    {
        std::vector<int> sequence;
        for (int recording = 1; recording <= RECORDINGS; ++recording)
            for (int n = 0; n < READINGS; ++n)
                sequence.push_back(ReadingId(recording, n));
        int last = killed.appended.empty() ? 0 : *killed.appended.rbegin();
        auto next = std::upper_bound(sequence.begin(), sequence.end(), last);
        int inFlight = next == sequence.end() ? 0 : *next;
        for (int n = 0; n < READINGS; ++n)
            sequence.push_back(ReadingId(RESUME_RECORDING, n));
        for (int id : sequence) {
            size_t copies = places.count(id) ? places[id].size() : 0;
            bool returned = killed.appended.count(id) || resumed.appended.count(id);
            size_t allowed = returned || id == inFlight ? 1 : 0;
            if (returned && copies == 0)
                Problem("reading ", id, " (recording ", id / 100, ", slot ", ReadingOf(id).slot, ") is lost");
            else if (copies > allowed)
                Problem("reading ", id, " is stored ", copies, " times");
        }
        // A recording lies in one database: the one it was stored into, once that returned.
        for (int recording = 1; recording <= RESUME_RECORDING; ++recording) {
            std::set<std::string> databases;
            for (int n = 0; n < READINGS; ++n)
                for (const Place& place : places[ReadingId(recording, n)])
                    databases.insert(place.database);
            const char* destination = recording == OTHER_RECORDING ? OTHER_DATABASE : "database";
            if (databases.size() > 1)
                Problem("recording ", recording, " is split between databases");
            else if (killed.stored.count(recording) && databases.size() == 1 && *databases.begin() != destination)
                Problem("recording ", recording, " was stored into ", destination, " but lies in ",
                        *databases.begin());
        }
    }

    // After the resume's store: no current readings left, the status saved whole.
    void CheckActiveState()
    {
        fs::path folder = TrackFolderOf("database");
        for (int slot = 0; slot < BEAM_SLOTS; ++slot)
            for (auto kind : {db::CurrentFile::Points, db::CurrentFile::Times}) {
                fs::path file = folder / db::CurrentTrackFileName(slot, kind);
                if (fs::exists(file) && fs::file_size(file) != 0)
                    Problem("current file ", file.filename().string(), " holds ", fs::file_size(file),
                            " bytes after the store");
            }
        fs::path statusFile = folder / TRACK_STATUS_FILE;
        std::string bytes = TempDataRoot::readFile(statusFile);
        if (!fs::exists(statusFile) || bytes.size() != sizeof(TrackStatusDisk))
            return Problem(TRACK_STATUS_FILE, " is missing or ", bytes.size(), " bytes");
        TrackStatusDisk status = Records<TrackStatusDisk>(bytes)[0];
        if (status.low[TS_CURRENT_PEN_WIDTH] == 0 || status.low[TS_PAST_PEN_WIDTH] == 0)
            Problem(TRACK_STATUS_FILE, " has a pen width of 0");
        if (status.low[TS_SAVING] != 0)
            Problem(TRACK_STATUS_FILE, " says saving after the store");
        if (resumed.saveRate <= 0)
            Problem("the save rate after start-up is ", resumed.saveRate);
        // The past track is the first track of the last store.
        bool past = false;
        for (int n = 0; n < READINGS; ++n)
            for (const Place& place : places[ReadingId(RESUME_RECORDING, n)])
                past = past || (place.database == "database" && place.handle == status.pastHandle);
        if (!past)
            Problem("the past track ", status.pastHandle, " holds none of the last recording");
    }
};

} // namespace

std::vector<std::string> CheckDatabases(const RunLog& killed, const RunLog& resumed)
{
    Checker checker{killed, resumed, {}, {}};
    checker.CheckDatabase("database");
    checker.CheckDatabase(OTHER_DATABASE);
    checker.CheckReadings();
    checker.CheckActiveState();
    return checker.problems;
}

} // namespace killsweep
