// Shared set-up of the engine tests: a temporary data root, small test cells written with the
// chart maker's S-57 writer, and the engine started with a chart window of a known size.
#pragma once

#include "euro32/euro32.h"
#include "euro32/euro32qt.h"

#include "s57cellwriter.h"
#include "TempDataRoot.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace testcell {

// The test cell: five vertical strips from west to east at 60 N: land, then depth areas
// 0-5, 5-10, 10-20 and 20-50 m; the 10 m contour on the 10-20 boundary, a 7.3 m sounding in
// the 5-10 strip, a port-hand buoy and, south of it, a south cardinal buoy in the deepest strip.
inline constexpr double kWest = 10.00;
inline constexpr double kStrip = 0.01;
inline constexpr double kSouth = 60.00;
inline constexpr double kNorth = 60.02;
inline constexpr double kSoundingLon = 10.025;
inline constexpr double kSoundingLat = 60.006;
inline constexpr double kBuoyLat = 60.015;
inline constexpr double kCardinalLat = 60.005;

double stripCentre(int strip);
void write(const std::filesystem::path& path, const std::string& name = "TVTEST01.000");
// An update file for the cell: adds a wreck at the centre of the 10-20 m strip.
void writeUpdate(const std::filesystem::path& path, const std::string& name, int number);
inline constexpr double kWreckLat = 60.010;

} // namespace testcell

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::filesystem::path home() const { return root_->root(); }
    std::filesystem::path chartFolder() const;
    // Writes DISPLAY settings into chart.ini before the engine starts.
    void setDisplay(const char* key, const char* value);
    void start();
    // A chart window of the given client size showing the whole test cell.
    HWND openWindow(int width = 400, int height = 300);
    QColor pixelAt(HWND window, double lon, double lat);
    QImage capture(HWND window) { return euro32::captureChart(window); }

private:
    std::unique_ptr<TempDataRoot> root_;
    bool started_ = false;
};

// The pixel colour a depth area or land takes in a scheme, read from a one-area render.
bool near(const QColor& a, const QColor& b, int tolerance = 6);
