#include "BenchSurvey.h"

#include "database/CurrentTrack.h"
#include "records/TrackStoreFiles.h"

#include "democell.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace fs = std::filesystem;

double MillisecondsOf(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void WriteBenchChartCell(const fs::path& chartsFolder, const char* program)
{
    const fs::path path = chartsFolder / chartmaker::kDemoCellName;
    chartmaker::S57CellWriter cell({chartmaker::kDemoCellName, 22000, "20260101", ""});
    std::string error;
    if (!chartmaker::buildDemoCell(cell, &error) || !cell.write(path.string(), &error)) {
        std::fprintf(stderr, "%s: %s\n", program, error.c_str());
        std::exit(1);
    }
}

bool GenerateBenchSurvey(int tracks, int pointsPerTrack, int32_t boxSignature)
{
    std::mt19937 random(1);
    std::uniform_real_distribution<float> echo(0.0f, 2.0f), depth(2.0f, 40.0f);
    std::vector<TrackPoint> points(static_cast<size_t>(pointsPerTrack));
    std::vector<uint32_t> times(points.size(), 1700000000u);
    for (int t = 0; t < tracks; ++t) {
        const double lineLat = BENCH_SOUTH + (t + 0.5) * (BENCH_NORTH - BENCH_SOUTH) / tracks;
        TrackInfo info{};
        info.handle = 1;
        SetEmptyRect(info);
        for (int i = 0; i < pointsPerTrack; ++i) {
            const double along = (i + 0.5) / pointsPerTrack;
            TrackPoint& p = points[size_t(i)];
            p.depth = depth(random);
            p.e1 = echo(random);
            p.e2 = echo(random);
            p.lat = int32_t(lineLat + 2000 * std::sin(along * 12));
            p.lon = int32_t(BENCH_WEST + (t % 2 ? 1 - along : along) * (BENCH_EAST - BENCH_WEST));
            p.colour = int16_t((t / 40 + i / 250) % 30);
            ExtendRect(info, p.lon, p.lat);
        }
        info.points = uint32_t(points.size());
        info.boxsignature = boxSignature;
        CurrentTrackBlock block{points.data(), uint32_t(points.size()), 0, 0};
        TimeBlock timeBlock{times.data(), uint32_t(times.size()), 0};
        if (!DBAddPointsToCurrentTrack(&block) || !DBAddTimesToCurrentTrack(&timeBlock) || !DBSaveCurrentTrack(&info))
            return false;
    }
    return true;
}

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

LRESULT BenchChartProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}
