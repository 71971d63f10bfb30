// Benchmark of a whole replaymake run on a generated database: 1,000 tracks, 2 million points,
// recorded as a survey records them (seven transducers at a time, sharing their times).
// Reports wall time and peak memory, and the ratio to cat reading the same point and time
// files into /dev/null. Usage: replaymake_bench [results file] [tracks] [points per track]
#include "ChildProcess.h"
#include "TempDataRoot.h"
#include "TrackStoreWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <random>

namespace fs = std::filesystem;

namespace {

constexpr int RUNS = 3;
constexpr int TRANSDUCERS = 7;

void GenerateDatabase(TrackStoreWriter& store, int tracks, int pointsPerTrack)
{
    std::mt19937 random(1);
    std::uniform_real_distribution<float> echo(0.0f, 2.0f), depth(2.0f, 250.0f);
    std::vector<TrackPoint> points(static_cast<std::size_t>(pointsPerTrack));
    std::vector<uint32_t> times(points.size());
    for (int t = 0; t < tracks; ++t) {
        int line = t / TRANSDUCERS, transducer = t % TRANSDUCERS - 3;
        // Survey lines one after another; the transducers of one line record side by side.
        uint32_t start = 1600000000u + uint32_t(line) * uint32_t(pointsPerTrack + 60);
        for (int i = 0; i < pointsPerTrack; ++i) {
            int32_t lat = -335000000 + line * 2000 + transducer * 150;
            int32_t lon = 1512000000 + (line % 2 ? pointsPerTrack - i : i) * 45;
            points[std::size_t(i)] = MakePoint(depth(random), echo(random), echo(random), lat, lon);
            times[std::size_t(i)] = start + uint32_t(i);
        }
        store.addTrack(int16_t(transducer), points, times);
    }
}

struct Timing {
    double bestSeconds = 1e9;
    double bestCpuSeconds = 1e9;
    long peakKilobytes = 0;
    int exitCode = 0;
};

template <typename Run>
Timing Best(Run run)
{
    Timing timing;
    for (int i = 0; i < RUNS; ++i) {
        ChildResult r = run();
        timing.bestSeconds = std::min(timing.bestSeconds, r.seconds);
        timing.bestCpuSeconds = std::min(timing.bestCpuSeconds, r.cpuSeconds);
        timing.peakKilobytes = std::max(timing.peakKilobytes, r.peakKilobytes);
        timing.exitCode = r.exitCode;
    }
    return timing;
}

} // namespace

int main(int argc, char** argv)
{
    std::string resultsPath = argc > 1 ? argv[1] : "replaymake-bench-results.txt";
    int tracks = argc > 2 ? std::atoi(argv[2]) : 1000;
    int pointsPerTrack = argc > 3 ? std::atoi(argv[3]) : 2000;
    setenv("TZ", "UTC", 1);

    TempDataRoot root;
    TrackStoreWriter store(root.driveC());
    std::cerr << "generating " << tracks << " tracks of " << pointsPerTrack << " points...\n";
    GenerateDatabase(store, tracks, pointsPerTrack);

    std::vector<std::string> cat = {"cat"};
    for (const auto& entry : fs::directory_iterator(store.overlay())) {
        std::string name = entry.path().filename().string();
        if (name.starts_with("trk") && (name.ends_with(".dat") || name.ends_with(".tim")))
            cat.push_back(entry.path().string());
    }
    RunChild(cat, "", true); // into the page cache, as for every later run

    fs::path testdata = root.driveC() / "varnel" / "testdata";
    Timing replay = Best([&] {
        fs::remove_all(testdata);
        return RunChild({REPLAYMAKE_PROGRAM}, "  n ", true);
    });
    Timing reading = Best([&] { return RunChild(cat, "", true); });

    long long points = (long long)tracks * pointsPerTrack;
    auto sounderBytes = fs::file_size(testdata / "sedrix.txt");
    bool complete = replay.exitCode == 1 && sounderBytes == uint64_t(points) * 17;

    std::ofstream results(resultsPath);
    char text[1024];
    std::snprintf(text, sizeof text,
                  "replaymake benchmark: %d tracks, %lld points (best of %d runs)\n"
                  "replaymake wall time: %.3f s (processor time %.3f s)\n"
                  "replaymake peak memory: %.1f MB\n"
                  "cat of the point and time files: %.3f s (processor time %.3f s)\n"
                  "ratio to cat: %.1f (processor time %.1f)\n"
                  "output complete: %s (exit code %d, sedrix.txt %llu bytes)\n",
                  tracks, points, RUNS, replay.bestSeconds, replay.bestCpuSeconds, replay.peakKilobytes / 1024.0,
                  reading.bestSeconds, reading.bestCpuSeconds, replay.bestSeconds / reading.bestSeconds,
                  replay.bestCpuSeconds / reading.bestCpuSeconds, complete ? "yes" : "NO",
                  replay.exitCode, (unsigned long long)sounderBytes);
    results << text;
    std::cout << text << "results written to " << resultsPath << "\n";
    return complete ? 0 : 1;
}
