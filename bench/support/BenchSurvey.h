// What the benchmarks over a large database share: the demo area and its chart cell, a
// generated survey of many long tracks stored as the recorder stores them, the plain read of the
// point files they are measured against, and timing.
#pragma once

#include "platform/winuser.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <vector>

// The demo area, 1e-7 degree.
constexpr int32_t BENCH_WEST = 118165000, BENCH_EAST = 118835000, BENCH_SOUTH = 576865000,
                  BENCH_NORTH = 577135000;

double MillisecondsOf(const std::function<void()>& work);
double Median(std::vector<double> values);
// The demo chart cell into this folder; ends the program with a message when it cannot be
// written.
void WriteBenchChartCell(const std::filesystem::path& chartsFolder, const char* program);
// Survey lines across the area, one after another in alternating directions, stored into the
// active database with this box signature.
bool GenerateBenchSurvey(int tracks, int pointsPerTrack, int32_t boxSignature);
// The bytes of every stored track's point file in the overlay folder, read with plain freads.
long long ReadPointFiles(const std::filesystem::path& overlay);
// A chart window's procedure for a window that only needs to exist.
LRESULT BenchChartProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
