// A main window over the 1024 x 768 screen with a chart window inside it that shows the engine's
// chart window of the same size, an active database in a temporary data root, and the helpers
// that store tracks at chosen pixels and click the chart as a user does.
#pragma once

#include "TempDataRoot.h"
#include "database/CurrentTrack.h"
#include "records/TrackRecords.h"
#include "trackwin/TrackpointEnquiry.h"

#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

constexpr int SCREEN_W = 1024;
constexpr int SCREEN_H = 768;

struct ChartMessage {
    UINT message;
    WPARAM wParam;
};
// What the chart window's own procedure has been sent or posted (WM_USER and above).
std::vector<ChartMessage>& chartMessages();
std::vector<ChartMessage> chartMessagesOf(UINT message);
LRESULT StandInChartProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Processes GUI events until the condition holds; false when it never does.
bool processEventsUntil(const std::function<bool()>& done);

class EnquiryTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Shows the area (west, north, east, south) in the engine's chart window.
    void showArea(int32_t west, int32_t north, int32_t east, int32_t south);
    TrackPoint pointAt(int x, int y, float depth = 10.0f, float e1 = 1.0f, float e2 = 0.5f, int16_t colour = 5) const;
    // Stored as the recorder stores it, from the current track of a beam slot; one time per point
    // unless `times` says otherwise.
    uint32_t storeTrack(const std::vector<TrackPoint>& points, std::vector<uint32_t> times = {}, int slot = 0);
    void start(WPARAM flags = ENQUIRY_TRACK_DETAILS);
    // A real mouse click on the chart widget.
    void click(int x, int y, Qt::MouseButton button = Qt::LeftButton);

    HWND dialog() const;
    std::string field(int id) const;
    std::string caption() const;
    // In the main window, which stands for the screen.
    RECT dialogRect() const;

    std::unique_ptr<TempDataRoot> root;
    HWND mainWindow = nullptr;
    HWND chartWindow = nullptr;
    HWND engineWindow = nullptr;
    QWidget* mainWidget = nullptr;
    QWidget* chartWidget = nullptr;
};
