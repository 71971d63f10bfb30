// Benchmark of a full chart refresh with every stored track shown: a 1024 x 768 view of the
// demo area holding a generated database of 1,000 tracks x 2,000 points, all in view. A refresh
// captures the chart and draws the stored tracks and their outlines into the image, as the
// chart window does, with the track options a new database has (then once more with the track
// outlines on). The reference is reading the same point files alone with plain freads.
// Reports medians and the ratios to the reference.
// Usage: chartrefresh_bench [results file] [tracks] [points per track] [runs]
#include "chart/TrackDrawing.h"
#include "chart/TrackPens.h"
#include "database/CurrentTrack.h"
#include "euro32/euro32.h"
#include "euro32/euro32qt.h"
#include "platform/files.h"
#include "platform/gui.h"
#include "platform/messages.h"

#include "TempDataRoot.h"
#include "BenchSurvey.h"

#include <QApplication>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    win::startGuiPlatform();
    const std::string resultsPath = argc > 1 ? argv[1] : "chartrefresh-bench-results.txt";
    const int tracks = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1000;
    const int pointsPerTrack = argc > 3 ? std::max(2, std::atoi(argv[3])) : 2000;
    const int runs = argc > 4 ? std::max(1, std::atoi(argv[4])) : 9;

    TempDataRoot root;
    win::scripted::listen();
    const fs::path charts = root.driveC() / "varnel" / "charts";
    fs::create_directories(charts);
    WriteBenchChartCell(charts, "chartrefresh_bench");
    if (!DBInitialiseDatabase('C'))
        return 1;
    FillDefaultBox(&boxFile);
    std::cerr << "generating " << tracks << " tracks of " << pointsPerTrack << " points...\n";
    if (!GenerateBenchSurvey(tracks, pointsPerTrack, BoxSignature(boxFile))) {
        std::cerr << "could not store the tracks\n";
        return 1;
    }
    globaltrackstatus = DefaultTrackStatus();
    globaltrackstatus.field[TS_SHOW_ALL_TRACKS] = 1;
    CreateChartPalette(nullptr);

    if (!EC_initChartingSystem(6001, 0, nullptr, 2010, "bench", 0, 0))
        return 1;
    HWND engineWindow = EC_CreateChartWindow(0, 0, 1024, 768);
    win::scripted::queueDialog("Folio", {IDOK, {{1, "TV5DEMO1"}}});
    EC_oemChart_doAction(EC_ACTION_FOLIO);
    EC_ChangeChartArea(engineWindow, BENCH_WEST, BENCH_NORTH, BENCH_EAST, BENCH_SOUTH);
    chartSurface.engineWindow = engineWindow;
    HWND chartWindow = win::createWindow("ChartWnd", "bench", BenchChartProc);

    const fs::path overlay = *win::HostPath("c:\\varnel\\database\\ovl00001");
    const long long fileBytes = ReadPointFiles(overlay); // into the page cache, as for every later run
    // With the track options as a new database has them, then with the track outlines on.
    std::vector<double> capture, stored, outlinesOff, outlinesOn, reading;
    int result = 0;
    for (int i = 0; i < runs; ++i) {
        QImage image;
        capture.push_back(MillisecondsOf([&] { image = euro32::captureChart(engineWindow); }));
        QPainter dc(&image);
        stored.push_back(MillisecondsOf([&] { result |= RedrawPastTracksToBitmap(chartWindow, dc); }));
        globaltrackstatus.field[TS_OUTLINING] = 0;
        outlinesOff.push_back(MillisecondsOf([&] { RedrawAllPastTracks(chartWindow, dc); }));
        globaltrackstatus.field[TS_OUTLINING] = 1;
        outlinesOn.push_back(MillisecondsOf([&] { RedrawAllPastTracks(chartWindow, dc); }));
        reading.push_back(MillisecondsOf([&] { ReadPointFiles(overlay); }));
    }
    std::vector<double> refresh, drawing;
    for (size_t i = 0; i < size_t(runs); ++i) {
        refresh.push_back(capture[i] + stored[i] + outlinesOff[i]);
        drawing.push_back(stored[i] + outlinesOff[i]);
    }
    const long long points = (long long)tracks * pointsPerTrack;
    const double read = Median(reading);
    char text[1536];
    std::snprintf(text, sizeof text,
                  "chart refresh benchmark: %d tracks, %lld points in a 1024 x 768 view (median of %d runs)\n"
                  "full refresh: %.1f ms, %.2f million points per second\n"
                  "  chart capture %.1f ms, stored tracks %.1f ms\n"
                  "track drawing alone: %.1f ms\n"
                  "reading the point files alone (%lld bytes, plain fread): %.1f ms\n"
                  "ratio to reading: full refresh %.1f, track drawing %.1f\n"
                  "track outlines, when switched on: %.1f ms more\n"
                  "every run completed: %s\n",
                  tracks, points, runs, Median(refresh), points / Median(refresh) / 1000.0, Median(capture),
                  Median(stored), Median(drawing), fileBytes, read, Median(refresh) / read, Median(drawing) / read,
                  Median(outlinesOn), result == 0 ? "yes" : "NO");
    std::ofstream(resultsPath) << text;
    std::cout << text << "results written to " << resultsPath << "\n";
    DestroyWindow(chartWindow);
    EC_ExitChartingSystem();
    return result == 0 ? 0 : 1;
}
