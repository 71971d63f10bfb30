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
#include "democell.h"

#include <QApplication>
#include <QWidget>

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
        std::fprintf(stderr, "enquiry_bench: %s\n", error.c_str());
        std::exit(1);
    }
}

// Survey lines across the area in alternating directions, stored as the recorder stores them.
bool GenerateDatabase(int tracks, int pointsPerTrack)
{
    std::mt19937 random(1);
    std::uniform_real_distribution<float> echo(0.0f, 2.0f), depth(2.0f, 40.0f);
    std::vector<TrackPoint> points(static_cast<size_t>(pointsPerTrack));
    std::vector<uint32_t> times(points.size(), 1700000000u);
    for (int t = 0; t < tracks; ++t) {
        const double lineLat = SOUTH + (t + 0.5) * (NORTH - SOUTH) / tracks;
        TrackInfo info{};
        info.handle = 1;
        SetEmptyRect(info);
        for (int i = 0; i < pointsPerTrack; ++i) {
            const double along = (i + 0.5) / pointsPerTrack;
            TrackPoint& p = points[size_t(i)];
            p = TrackPoint{depth(random), echo(random), echo(random), int32_t(lineLat + 2000 * std::sin(along * 12)),
                           int32_t(WEST + (t % 2 ? 1 - along : along) * (EAST - WEST)), int16_t((t / 40 + i / 250) % 30)};
            info.leftlon = std::min(info.leftlon, p.lon);
            info.rightlon = std::max(info.rightlon, p.lon);
            info.bottomlat = std::min(info.bottomlat, p.lat);
            info.toplat = std::max(info.toplat, p.lat);
        }
        CurrentTrackBlock block{points.data(), uint32_t(points.size()), 0, 0};
        TimeBlock timeBlock{times.data(), uint32_t(times.size()), 0};
        info.points = uint32_t(points.size());
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
    WriteDemoCell(charts / chartmaker::kDemoCellName);
    if (!DBInitialiseDatabase('C'))
        return 1;
    std::cerr << "generating " << tracks << " tracks of " << pointsPerTrack << " points...\n";
    if (!GenerateDatabase(tracks, pointsPerTrack)) {
        std::cerr << "could not store the tracks\n";
        return 1;
    }
    globaltrackstatus = DefaultTrackStatus();

    if (!EC_initChartingSystem(6001, 0, nullptr, 2010, "bench", 0, 0))
        return 1;
    HWND engineWindow = EC_CreateChartWindow(0, 0, 1024, 768);
    win::scripted::queueDialog("Folio", {IDOK, {{1, "TV5DEMO1"}}});
    EC_oemChart_doAction(EC_ACTION_FOLIO);
    EC_ChangeChartArea(engineWindow, WEST, NORTH, EAST, SOUTH);
    chartSurface.engineWindow = engineWindow;
    HWND mainWindow = win::createWindow("MainWnd", "bench", ChartProc, nullptr, nullptr, RECT{0, 0, 1024, 768});
    auto* mainWidget = new QWidget;
    win::attachWidget(mainWindow, mainWidget);
    HWND chartWindow = win::createWindow("ChartWnd", "bench", ChartProc, mainWindow, nullptr, RECT{0, 0, 1024, 768});
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
