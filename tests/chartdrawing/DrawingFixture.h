// A data root with a fresh active database, the chart engine showing a known area in a
// 400 x 300 chart window, the pens made, and a white image to draw into. Positions are chosen
// by their pixels, so checks can read the pixels back.
#pragma once

#include "TempDataRoot.h"
#include "chart/CurrentTrackRing.h"
#include "chart/TrackDrawing.h"
#include "chart/TrackPens.h"
#include "database/CurrentTrack.h"
#include "database/OverlayStore.h"
#include "database/TrackStore.h"
#include "euro32/euro32.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

constexpr int WINDOW_WIDTH = 400;
constexpr int WINDOW_HEIGHT = 300;

// Classes of the test box: low E2 readings are green, high ones magenta.
constexpr int GREEN_CLASS = 5;
constexpr int MAGENTA_CLASS = 17;
constexpr float GREEN_E2 = 0.5f;
constexpr float MAGENTA_E2 = 3.5f;

class DrawingTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A point that lies on pixel (x, y) of the chart window.
    TrackPoint pointAt(int x, int y, int16_t colour = GREEN_CLASS, float depth = 10.0f, float e2 = GREEN_E2) const;
    // Stores the points as a track of the active database, through the recorder's own calls;
    // returns its handle. The track is coloured for the loaded box unless told otherwise.
    uint32_t storeTrack(const std::vector<TrackPoint>& points, bool colouredForLoadedBox = true);
    std::vector<TrackPoint> readTrack(uint32_t handle, const std::string& database = "database") const;
    TrackInfo trackEntry(uint32_t handle) const;
    std::filesystem::path host(const std::string& windowsPath) const;

    // A white image of the window's size, drawn into by `draw`.
    QImage drawn(const std::function<void(QPainter&)>& draw) const;
    static QColor colourAt(const QImage& image, int x, int y) { return image.pixelColor(x, y); }
    static QColor palette(int colourNumber) { return PaletteColour(colourNumber); }

    std::unique_ptr<TempDataRoot> root;
    HWND engineWindow = nullptr;
    HWND chartWindow = nullptr; // stands in for the program's chart window
};
