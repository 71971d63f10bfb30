// Benchmark of the trackpoint enquiry on a large database: a 1024 x 768 view of the demo area
// holding 1,000 tracks x 2,000 points (laid out as the chart refresh benchmark lays them), all in
// view. Times a left click in the enquiry mode, from the click to the dialog filled: the first
// click (every point file read), later clicks elsewhere, and a click after one track changed.
// The reference is reading the same point files alone with plain freads.
// Usage: enquiry_bench [results file] [tracks] [points per track] [clicks]
#include "chart/TrackDrawing.h"
#include "database/CurrentTrack.h"
#include "database/TrackStore.h"
#include "euro32/euro32.h"
#include "frame/WindowLayout.h"
#include "platform/files.h"
#include "platform/gui.h"
#include "platform/messages.h"
#include "records/TrackStoreFiles.h"
#include "trackwin/TrackpointEnquiry.h"

#include "TempDataRoot.h"
#include "BenchSurvey.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("TIDEVANE_SCREEN", "1024x768", 0);
    QApplication app(argc, argv);
    win::startGuiPlatform();
    const std::string resultsPath = argc > 1 ? argv[1] : "enquiry-bench-results.txt";
    const int tracks = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1000;
    const int pointsPerTrack = argc > 3 ? std::max(2, std::atoi(argv[3])) : 2000;
    const int clicks = argc > 4 ? std::max(1, std::atoi(argv[4])) : 21;

    TempDataRoot root;
    win::scripted::listen();
    ComputeScreenMetrics();
    const fs::path charts = root.driveC() / "varnel" / "charts";
    fs::create_directories(charts);
    WriteBenchChartCell(charts, "enquiry_bench");
    if (!DBInitialiseDatabase('C'))
        return 1;
    std::cerr << "generating " << tracks << " tracks of " << pointsPerTrack << " points...\n";
    if (!GenerateBenchSurvey(tracks, pointsPerTrack, 0)) {
        std::cerr << "could not store the tracks\n";
        return 1;
    }
    globaltrackstatus = DefaultTrackStatus();

    if (!EC_initChartingSystem(6001, 0, nullptr, 2010, "bench", 0, 0))
        return 1;
    HWND engineWindow = EC_CreateChartWindow(0, 0, 1024, 768);
    win::scripted::queueDialog("Folio", {IDOK, {{1, "TV5DEMO1"}}});
    EC_oemChart_doAction(EC_ACTION_FOLIO);
    EC_ChangeChartArea(engineWindow, BENCH_WEST, BENCH_NORTH, BENCH_EAST, BENCH_SOUTH);
    chartSurface.engineWindow = engineWindow;
    HWND mainWindow = win::createWindow("MainWnd", "bench", BenchChartProc, nullptr, nullptr, RECT{0, 0, 1024, 768});
    auto* mainWidget = new QWidget;
    win::attachWidget(mainWindow, mainWidget);
    HWND chartWindow = win::createWindow("ChartWnd", "bench", BenchChartProc, mainWindow, nullptr, RECT{0, 0, 1024, 768});
    win::attachWidget(chartWindow, new QWidget(mainWidget));

    const fs::path overlay = *win::HostPath("c:\\varnel\\database\\ovl00001");
    const long long fileBytes = ReadPointFiles(overlay); // into the page cache, as for every later run
    const double read = MillisecondsOf([&] { ReadPointFiles(overlay); });

    StartTrackpointEnquiry(chartWindow, ENQUIRY_TRACK_DETAILS);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> x(20, 1000), y(20, 740);
    auto clickAt = [&](int cx, int cy) {
        return MillisecondsOf([&] { SendMessageA(chartWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cx, cy)); });
    };
    const double first = clickAt(512, 384);
    const bool found = pSedrixInfo && pSedrixInfo->handle > 1;
    std::vector<double> later;
    for (int i = 0; i < clicks; ++i)
        later.push_back(clickAt(x(random), y(random)));
    // One track rewritten in place (new positions, a later time): only it is read again.
    TrackInfo changed{};
    changed.handle = 2 + tracks / 2;
    std::vector<TrackPoint> block(TRACK_BLOCK_POINTS);
    TrackBlock io{block.data(), 1, 0};
    DBReadTrackDataBlock(&changed, &io, "database");
    block[0].lat += 10;
    io = TrackBlock{block.data(), 1, 0};
    DBWriteTrackDataBlock(&changed, &io, "database");
    const fs::path changedFile = overlay / StoredTrackFileName(changed.handle, "dat");
    fs::last_write_time(changedFile, fs::last_write_time(changedFile) + std::chrono::seconds(2));
    const double afterChange = clickAt(x(random), y(random));
    const bool ended = (SendMessageA(chartWindow, WM_RBUTTONDOWN, MK_RBUTTON, 0), !TrackpointEnquiryRunning());

    const long long points = (long long)tracks * pointsPerTrack;
    char text[1024];
    std::snprintf(text, sizeof text,
                  "trackpoint enquiry benchmark: %d tracks, %lld points, all in a 1024 x 768 view\n"
                  "first click (every point file read): %.1f ms\n"
                  "later clicks (median of %d, positions kept): %.2f ms\n"
                  "click after one track changed on disk: %.2f ms\n"
                  "reading the point files alone (%lld bytes, plain fread): %.1f ms\n"
                  "found a point: %s; mode ended: %s\n",
                  tracks, points, first, clicks, Median(later), afterChange, fileBytes,
                  read, found ? "yes" : "NO", ended ? "yes" : "NO");
    std::ofstream(resultsPath) << text;
    std::cout << text << "results written to " << resultsPath << "\n";
    DestroyWindow(mainWindow);
    EC_ExitChartingSystem();
    return found && ended ? 0 : 1;
}
