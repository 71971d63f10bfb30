// Writing the replay files: every chosen track's points merged in time order into the GPS and
// sounder lines of "nav.txt" and "sedrix.txt".
#include "Console.h"
#include "OutputFile.h"
#include "Steps.h"
#include "TimeIndex.h"
#include "TrackFiles.h"

#include "platform/files.h"

#include <algorithm>
#include <memory>
#include <new>

namespace replaymake {
namespace {

constexpr const char* TESTDATA_FOLDER = "c:\\varnel\\testdata";

bool PrepareOutputFolder()
{
    if (win::access(TESTDATA_FOLDER, 0) != 0) {
        Say("Can't find c:\\varnel\\testdata directory\n");
        Say("Creating new c:\\varnel\\testdata directory\n");
        win::mkdir(TESTDATA_FOLDER);
        if (win::access(TESTDATA_FOLDER, 0) != 0) {
            Complain("Can't create c:\\varnel\\testdata directory\n");
            return false;
        }
    }
    if (!win::isDirectory(TESTDATA_FOLDER)) {
        Complain("c:\\varnel\\testdata is not a directory\n");
        Complain("Please rename or delete\n");
        Say("Press a key to exit\n");
        ReadKey();
        return false;
    }
    return true;
}

// An existing file may be replaced only when the user says so.
bool MayOverwrite(const char* path, const char* question)
{
    if (win::access(path, 0) != 0)
        return true;
    return IsYes(AskKey(question));
}

// A track that takes part, with the reading letter of its beam.
struct PlannedTrack {
    uint32_t handle;
    char letter;
};

// The tracks in tracks.inf order. A track whose beam is unknown takes the beam of the track
// before it, so each track keeps one letter however its points are interleaved later.
std::vector<PlannedTrack> PlanTracks(const std::vector<TracksInfEntry>& entries, const Selection& selection)
{
    const BeamTable beams = BeamTable::Load();
    std::vector<PlannedTrack> plan;
    int transducer = 0;
    for (const auto& entry : entries) {
        uint32_t handle = entry.info.handle;
        bool takesPart = handle != 0 && (selection.all ? handle != CURRENT_TRACK_HANDLE
                                                       : std::ranges::count(selection.handles, long(handle)) > 0);
        if (!takesPart)
            continue;
        if (auto stored = beams.Transducer(handle); stored && *stored >= -3 && *stored <= 3)
            transducer = *stored;
        plan.push_back({handle, ReadingLetter(transducer)});
    }
    return plan;
}

class ReplayWriter {
public:
    bool Create()
    {
        if (!nav_.Create(REPLAY_NAV_FILE)) {
            Complain("Failed to open gps text file\n");
            return false;
        }
        if (!sounder_.Create(REPLAY_SOUNDER_FILE)) {
            Complain("Failed to open Sedrix text file\n");
            return false;
        }
        return true;
    }
    void Write(const TrackPoint& point, char letter)
    {
        nav_.Commit(FormatNavLine(nav_.LineSpace(), point.lat, point.lon));
        sounder_.Commit(FormatSounderLine(sounder_.LineSpace(), letter, SounderRawOf(point)));
        ++written_;
    }
    long Written() const { return written_; }
    // Closes both files; false (with the message) when either could not be written whole.
    bool Close()
    {
        bool ok = true;
        for (OutputFile* file : {&nav_, &sounder_})
            if (!file->Close()) {
                Complain("Failed writing %s\n", file->Path().c_str());
                ok = false;
            }
        return ok;
    }

private:
    OutputFile nav_;
    OutputFile sounder_;
    long written_ = 0;
};

// Index entries of every point with a time; points without one are written at once.
class FirstPass {
public:
    FirstPass(ReplayWriter& writer, std::vector<TimeIndexEntry>& index) : writer_(writer), index_(index) {}

    bool Read(const PlannedTrack& track)
    {
        const auto names = TrackFileNamesOf(track.handle);
        BlockFile points;
        if (!points.Open(names.points)) {
            Complain("Failed to open file %s\n", names.points);
            return false;
        }
        BlockFile times;
        if (!times.Open(names.times))
            Complain("Failed to open time file %s\n", names.times);
        uint32_t offset = 0;
        for (;;) {
            std::size_t got = points.Read(block_, sizeof(TrackPoint), TRACK_BLOCK_POINTS);
            std::size_t timed = times.IsOpen() ? times.Read(blockTimes_, sizeof(uint32_t), got) : 0;
            if (points.Failed() || times.Failed()) {
                Complain("Failed reading file %s\n", points.Failed() ? names.points : names.times);
                return false;
            }
            for (std::size_t i = 0; i < got; ++i, offset += sizeof(TrackPoint)) {
                if (i < timed)
                    index_.push_back({blockTimes_[i], track.handle, offset});
                else
                    writer_.Write(block_[i], track.letter);
            }
            if (got < std::size_t(TRACK_BLOCK_POINTS))
                return true;
        }
    }

private:
    ReplayWriter& writer_;
    std::vector<TimeIndexEntry>& index_;
    TrackPoint block_[TRACK_BLOCK_POINTS];
    uint32_t blockTimes_[TRACK_BLOCK_POINTS];
};

// Room for every point that has a time, so the index never moves while it grows.
std::size_t ExpectedIndexSize(const std::vector<PlannedTrack>& plan)
{
    std::size_t total = 0;
    for (const auto& track : plan) {
        const auto names = TrackFileNamesOf(track.handle);
        int64_t points = win::fileSize(names.points) / int64_t(sizeof(TrackPoint));
        int64_t times = win::fileSize(names.times) / int64_t(sizeof(uint32_t));
        total += std::size_t(std::max<int64_t>(0, std::min(points, times)));
    }
    return total;
}

bool WriteIndexListing(const char* name, const std::vector<TimeIndexEntry>& index)
{
    OutputFile listing;
    if (!listing.Create(name)) {
        Complain("Failed to open %s\n", name);
        return false;
    }
    LocalClock clock;
    for (const auto& e : index)
        listing.Commit(FormatIndexLine(listing.LineSpace(), clock, e.time, e.handle, e.offset));
    if (!listing.Close()) {
        Complain("Failed writing %s\n", name);
        return false;
    }
    return true;
}

bool WriteSortedPass(ReplayWriter& writer, std::vector<TimeIndexEntry>& index,
                     const std::vector<PlannedTrack>& plan)
{
    if (!WriteIndexListing("unsorted.txt", index))
        return false;
    SortTimeIndex(index);
    if (!WriteIndexListing("sorted.txt", index))
        return false;
    std::vector<char> letters;
    for (const auto& track : plan) {
        if (track.handle >= letters.size())
            letters.resize(std::size_t(track.handle) + 1);
        letters[track.handle] = track.letter;
    }
    IndexedPointReader reader(index);
    TrackPoint point;
    for (const auto& e : index) {
        switch (reader.Fetch(e, point)) {
        case IndexedPointReader::Fetched::POINT:
            writer.Write(point, letters[e.handle]);
            continue;
        case IndexedPointReader::Fetched::NO_FILE:
            Complain("Failed to open file %s\n", TrackFileNamesOf(e.handle).points);
            return false;
        case IndexedPointReader::Fetched::NO_POINT:
            Complain("Failed to read point at %lu of file %s\n", (unsigned long)e.offset,
                     TrackFileNamesOf(e.handle).points);
            return false;
        }
    }
    return true;
}

// Untimed points as the tracks are read, then the timed ones in time order.
bool WritePoints(ReplayWriter& writer, const std::vector<PlannedTrack>& plan)
{
    std::vector<TimeIndexEntry> index;
    index.reserve(ExpectedIndexSize(plan));
    auto firstPass = std::make_unique<FirstPass>(writer, index);
    for (const auto& track : plan)
        if (!firstPass->Read(track))
            return false;
    firstPass.reset();
    // Timed points are written even when the last track had no time file.
    return index.empty() || WriteSortedPass(writer, index, plan);
}

int Generate(const Selection& selection)
{
    if (!PrepareOutputFolder())
        return EXIT_STOPPED;
    if (!MayOverwrite(REPLAY_NAV_FILE, "G.P.S. text file \"c:\\varnel\\testdata\\nav.txt\" exists! OverWrite?\n") ||
        !MayOverwrite(REPLAY_SOUNDER_FILE, "Sedrix text file \"c:\\varnel\\testdata\\sedrix.txt\" exists! OverWrite?\n"))
        return EXIT_STOPPED;
    std::FILE* tracksInf = win::fopen(TRACKS_INF, "rb");
    if (!tracksInf) {
        Complain("Failed to open tracks.inf\n");
        return EXIT_STOPPED;
    }
    const auto entries = ReadTracksInf(tracksInf);
    std::fclose(tracksInf);

    ReplayWriter writer;
    if (!writer.Create())
        return EXIT_STOPPED;
    const bool complete = WritePoints(writer, PlanTracks(entries, selection));
    // What was written before a failure stays in the files.
    if (!writer.Close() || !complete)
        return EXIT_STOPPED;
    Say("\nThat was %ld points\n", writer.Written());
    ReadKey();
    return EXIT_WRITTEN;
}

} // namespace

int GenerateReplayFiles(const Selection& selection)
{
    try {
        return Generate(selection);
    } catch (const std::bad_alloc&) {
        Complain("Out of Memory\n");
        return EXIT_STOPPED;
    }
}

} // namespace replaymake
