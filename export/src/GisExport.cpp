// The export of stored tracks: chooses them, reads them block by block and writes both layers.
#include "export/GisExport.h"

#include "GisLayers.h"
#include "StagedOutput.h"
#include "TrackSource.h"

#include "database/Catalogue.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace gisexport {
namespace {

ExportOutcome Outcome(ExportResult result, std::string message)
{
    ExportOutcome outcome;
    outcome.result = result;
    outcome.message = std::move(message);
    return outcome;
}

std::string DatabaseName(const std::string& database)
{
    char name[256] = "";
    return DBGetDatabaseName(name, database.c_str()) == 0 ? name : database;
}

const char* ClassName(const BoxFile* box, int colour)
{
    return box && colour >= 0 && colour < BOX_CLASSES ? box->classNames[colour] : "";
}

} // namespace

ExportOutcome ExportTracks(const ExportRequest& request, const Progress& progress)
{
    if (!request.format)
        return Outcome(ExportResult::Failed, "no output format");
    if (!DatabaseExists(request.database))
        return Outcome(ExportResult::NoDatabase, "database \"" + request.database + "\" does not exist");
    std::vector<TrackInfo> tracks;
    if (!SelectTracks(request, tracks))
        return Outcome(ExportResult::Failed, "cannot read the tracks of database \"" + request.database + "\"");

    const fs::path output(request.output);
    StagedOutput staged(output);
    if (!staged.ok())
        return Outcome(ExportResult::NotWritable, "cannot write beside " + request.output);
    const std::string tracksName = output.stem().string() + "_tracks" + output.extension().string();
    std::string error;
    GisLayers layers(*request.format, staged.staged(output.filename().string()), staged.staged(tracksName),
                     DatabaseName(request.database), error);
    if (!error.empty())
        return Outcome(ExportResult::NotWritable, error);

    // The point files are read twice, lines first: some drivers (KML) cannot take the features
    // of two layers interleaved, and one track's line at a time is all that is held in memory.
    uint64_t total = 0, done = 0;
    for (const auto& track : tracks)
        total += 2 * uint64_t(track.points);
    bool cancelled = false;
    auto report = [&](uint64_t points) {
        done += points;
        cancelled = progress && !progress(std::min(done, total), total);
        return !cancelled;
    };

    for (const auto& track : tracks) {
        TrackValues line{track.handle, TrackTransducer(request.database, track.handle), 0, 0, 0, {}};
        const bool read = ReadTrackPoints(request.database, track, [&](const TrackPoint* points, const uint32_t* times, int count) {
            const uint32_t before = line.points;
            for (int i = 0; i < count; ++i) {
                if (points[i].colour == COLOUR_ERASED)
                    continue;
                ++line.points;
                line.line.emplace_back(points[i].lon / 1e7, points[i].lat / 1e7);
                if (times[i] != 0) {
                    line.firstTime = line.firstTime ? line.firstTime : times[i];
                    line.lastTime = times[i];
                }
            }
            return report(line.points - before);
        });
        if (cancelled)
            return Outcome(ExportResult::Cancelled, "export cancelled");
        if (!read || !layers.addTrack(line))
            return Outcome(ExportResult::Failed, "failed exporting track " + std::to_string(track.handle));
    }

    if (!layers.startSoundings())
        return Outcome(ExportResult::Failed, "failed creating the soundings layer");
    ExportOutcome outcome;
    for (const auto& track : tracks) {
        const std::optional<int> transducer = TrackTransducer(request.database, track.handle);
        const bool read = ReadTrackPoints(request.database, track, [&](const TrackPoint* points, const uint32_t* times, int count) {
            uint64_t written = 0;
            for (int i = 0; i < count; ++i) {
                const TrackPoint& p = points[i];
                if (p.colour == COLOUR_ERASED)
                    continue;
                if (!layers.addSounding({p, times[i], ClassName(request.box, p.colour)}, track.handle, transducer))
                    return false;
                ++written;
            }
            outcome.points += written;
            return report(written);
        });
        if (cancelled)
            return Outcome(ExportResult::Cancelled, "export cancelled");
        if (!read)
            return Outcome(ExportResult::Failed, "failed exporting track " + std::to_string(track.handle));
        ++outcome.tracks;
    }
    if (!layers.finish() || !staged.commit())
        return Outcome(ExportResult::Failed, "failed writing " + request.output);
    outcome.result = ExportResult::Done;
    return outcome;
}

} // namespace gisexport
