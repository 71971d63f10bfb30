// Benchmark of chart rendering: the median time to render a 1024 x 768 view of
//   - the demo chart at 1:25,000 over the world base map,
//   - a generated cell of several thousand features (depth areas, contours, soundings, buoys),
//   - the world base map alone at world scale,
// and the time to load each chart. Usage: euro32_bench [runs]
#include "euro32/euro32.h"
#include "euro32/euro32qt.h"

#include "chartdata.h"
#include "democell.h"
#include "s57cellwriter.h"
#include "TempDataRoot.h"

#include "platform/messages.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

double millisecondsOf(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A 60 x 60 grid of depth areas with a sounding, a contour piece and every tenth a buoy:
// about 11,000 features.
void writeLargeCell(const fs::path& path)
{
    using namespace chartmaker;
    S57CellWriter cell({"TVBENCH1.000", 22000, "20260101", "benchmark cell"});
    const double west = 11.0, south = 57.0, step = 0.002;
    cell.addArea("M_COVR", {{{west, south}, {west, south + 60 * step}, {west + 60 * step, south + 60 * step},
                             {west + 60 * step, south}}}, {{"CATCOV", "1"}});
    std::vector<Sounding> soundings;
    const char* bands[][2] = {{"0", "5"}, {"5", "10"}, {"10", "20"}, {"20", "50"}};
    for (int r = 0; r < 60; ++r)
        for (int c = 0; c < 60; ++c) {
            const double w = west + c * step, s = south + r * step;
            const int band = (r + c) % 4;
            cell.addArea("DEPARE", {{{w, s}, {w, s + step}, {w + step, s + step}, {w + step, s}}},
                         {{"DRVAL1", bands[band][0]}, {"DRVAL2", bands[band][1]}});
            cell.addLine("DEPCNT", {{w, s}, {w + step / 2, s + step / 3}, {w + step, s}},
                         {{"VALDCO", bands[band][1]}});
            soundings.push_back({w + step / 2, s + step / 2, 1.0 + (r * 7 + c * 3) % 40 + 0.1 * (c % 10)});
            if ((r * 60 + c) % 10 == 0)
                cell.addPoint("BOYLAT", {w + step / 3, s + step / 3}, {{"CATLAM", "1"}, {"COLOUR", "3"}});
        }
    cell.addSoundings(std::move(soundings));
    std::string error;
    if (!cell.write(path.string(), &error)) {
        std::fprintf(stderr, "euro32_bench: %s\n", error.c_str());
        std::exit(1);
    }
}

void writeDemoCell(const fs::path& path)
{
    chartmaker::S57CellWriter cell({chartmaker::kDemoCellName, 22000, "20260101", ""});
    std::string error;
    if (!chartmaker::buildDemoCell(cell, &error) || !cell.write(path.string(), &error)) {
        std::fprintf(stderr, "euro32_bench: %s\n", error.c_str());
        std::exit(1);
    }
}

// The area of a 1024 x 768 window at a scale, centred on a position.
void showScale(HWND window, double lon, double lat, double scale)
{
    const double metresPerPixel = scale * 0.00028;
    const double halfLon = 512 * metresPerPixel / (111319.49 * std::cos(lat * M_PI / 180.0));
    const double halfLat = 384 * metresPerPixel / 111319.49;
    EC_ChangeChartArea(window, std::lround((lon - halfLon) * 1e7), std::lround((lat + halfLat) * 1e7),
                       std::lround((lon + halfLon) * 1e7), std::lround((lat - halfLat) * 1e7));
}

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    TempDataRoot root;
    const fs::path charts = root.driveC() / "varnel" / "charts";
    fs::create_directories(charts);
    writeDemoCell(charts / chartmaker::kDemoCellName);
    writeLargeCell(charts / "TVBENCH1.000");

    for (const char* name : {chartmaker::kDemoCellName, "TVBENCH1.000"}) {
        std::vector<double> times;
        size_t features = 0;
        for (int i = 0; i < std::min(runs, 5); ++i)
            times.push_back(millisecondsOf([&] { features = euro32::loadChart((charts / name).string()).chart->features.size(); }));
        std::printf("load %-14s %6zu features  median %8.2f ms\n", name, features, median(times));
    }

    if (!EC_initChartingSystem(6001, 0, nullptr, 2010, "bench", 0, 0))
        return 1;
    HWND window = EC_CreateChartWindow(0, 0, 1024, 768);
    struct Case {
        const char* what;
        const char* chart;
        double lon, lat, scale;
    };
    const Case cases[] = {
        {"demo chart 1:25,000 over base map", "TV5DEMO1", 11.85, 57.70, 25000},
        {"generated cell 1:50,000", "TVBENCH1", 11.06, 57.06, 50000},
        {"base map, world view", "TV5DEMO1", 0.0, 20.0, 1.5e8},
    };
    for (const Case& c : cases) {
        win::scripted::queueDialog("Folio", {IDOK, {{1, c.chart}}});
        EC_oemChart_doAction(EC_ACTION_FOLIO);
        showScale(window, c.lon, c.lat, c.scale);
        std::vector<double> times;
        for (int i = 0; i < runs; ++i)
            times.push_back(millisecondsOf([&] { euro32::captureChart(window); }));
        std::printf("render %-36s median %8.2f ms  (min %.2f, max %.2f, %d runs)\n", c.what,
                    median(times), *std::min_element(times.begin(), times.end()),
                    *std::max_element(times.begin(), times.end()), runs);
    }
    EC_ExitChartingSystem();
    return 0;
}
