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
#include "democell.h"

#include <QApplication>
#include <QPainter>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iostream>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The demo area, 1e-7 degree.
constexpr int32_t WEST = 118165000, EAST = 118835000, SOUTH = 576865000, NORTH = 577135000;

double MillisecondsOf(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void WriteDemoCell(const fs::path& path)
{
    chartmaker::S57CellWriter cell({chartmaker::kDemoCellName, 22000, "20260101", ""});
    std::string error;
    if (!chartmaker::buildDemoCell(cell, &error) || !cell.write(path.string(), &error)) {
        std::fprintf(stderr, "chartrefresh_bench: %s\n", error.c_str());
        std::exit(1);
    }
}

// Survey lines across the area, one after another in alternating directions, recorded and
// stored as the recorder does it.
bool GenerateDatabase(int tracks, int pointsPerTrack)
{
    std::mt19937 random(1);
    std::uniform_real_distribution<float> echo(0.0f, 2.0f), depth(2.0f, 40.0f);
    std::vector<TrackPoint> points(static_cast<size_t>(pointsPerTrack));
    std::vector<uint32_t> times(points.size(), 1700000000u);
    for (int t = 0; t < tracks; ++t) {
        const double lineLat = SOUTH + (t + 0.5) * (NORTH - SOUTH) / tracks;
        for (int i = 0; i < pointsPerTrack; ++i) {
            const double along = (i + 0.5) / pointsPerTrack;
            TrackPoint& p = points[size_t(i)];
            p.depth = depth(random);
            p.e1 = echo(random);
            p.e2 = echo(random);
            p.lat = int32_t(lineLat + 2000 * std::sin(along * 12));
            p.lon = int32_t(WEST + (t % 2 ? 1 - along : along) * (EAST - WEST));
            p.colour = int16_t((t / 40 + i / 250) % 30);
        }
        CurrentTrackBlock block{points.data(), uint32_t(points.size()), 0, 0};
        TimeBlock timeBlock{times.data(), uint32_t(times.size()), 0};
        TrackInfo info{};
        info.handle = 1;
        SetEmptyRect(info);
        for (const TrackPoint& p : points) {
            info.leftlon = std::min(info.leftlon, p.lon);
            info.rightlon = std::max(info.rightlon, p.lon);
            info.bottomlat = std::min(info.bottomlat, p.lat);
            info.toplat = std::max(info.toplat, p.lat);
        }
        info.points = uint32_t(points.size());
        info.boxsignature = BoxSignature(boxFile);
        if (!DBAddPointsToCurrentTrack(&block) || !DBAddTimesToCurrentTrack(&timeBlock) || !DBSaveCurrentTrack(&info))
            return false;
    }
    return true;
}

// The point files alone, read with plain freads into a block buffer.
long long ReadPointFiles(const fs::path& overlay)
{
    static std::vector<char> buffer(TRACK_BLOCK_BYTES);
    long long bytes = 0;
    for (const auto& entry : fs::directory_iterator(overlay)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with("trk") || !name.ends_with(".dat") || name == "trk00001.dat")
            continue;
        if (FILE* f = std::fopen(entry.path().c_str(), "rb")) {
            size_t n;
            while ((n = std::fread(buffer.data(), 1, buffer.size(), f)) > 0)
                bytes += long(n);
            std::fclose(f);
        }
    }
    return bytes;
}

LRESULT ChartProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

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
    WriteDemoCell(charts / chartmaker::kDemoCellName);
    if (!DBInitialiseDatabase('C'))
        return 1;
    FillDefaultBox(&boxFile);
    std::cerr << "generating " << tracks << " tracks of " << pointsPerTrack << " points...\n";
    if (!GenerateDatabase(tracks, pointsPerTrack)) {
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
    EC_ChangeChartArea(engineWindow, WEST, NORTH, EAST, SOUTH);
    chartSurface.engineWindow = engineWindow;
    HWND chartWindow = win::createWindow("ChartWnd", "bench", ChartProc);

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
