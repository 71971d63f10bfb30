// The replay module driven like a tape deck through the main program's replay flags: the real
// module loaded by name, replay files in the formats replaymake writes, readings polled as the
// chart timer does.
#include "SurveyHost.h"
#include "TempDataRoot.h"
#include "database/CurrentTrack.h"
#include "platform/gui.h"
#include "platform/messages.h"
#include "platform/modules.h"
#include "recording/ModuleBinding.h"
#include "recording/RecordingControl.h"
#include "replay/ReplayFlags.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int RECORDS = 8;

// Record i: 57°(40 + i)' N 011°50.0' E, depth 10 + i m under the centre transducer.
double recordLat(int i) { return 57.0 + (40.0 + i) / 60.0; }
float recordDepth(int i) { return 10.0f + float(i); }

void writeReplayFiles(const TempDataRoot& root)
{
    std::string nav, sounder;
    char line[80];
    for (int i = 0; i < RECORDS; ++i) {
        std::snprintf(line, sizeof line, "$GPGLL,%02ld%07.4lf,%c,%03ld%07.4lf,%c\r\n", 57L, 40.0 + i, 'N', 11L, 50.0, 'E');
        nav += line;
        std::snprintf(line, sizeof line, "%c%04uF%04oS%04o\r\n", 'D', unsigned(recordDepth(i) * 10.378378), 1000u, 250u);
        sounder += line;
    }
    TempDataRoot::writeFile(root.driveC() / "varnel" / "testdata" / "nav.txt", nav);
    TempDataRoot::writeFile(root.driveC() / "varnel" / "testdata" / "sedrix.txt", sounder);
}

void resetReplayFlags(int32_t interval)
{
    bStop = 1;
    bPause = bStep = bFast = bRewind = bReverse = 0;
    ctReplayInterval = interval;
}

void resetCalibration()
{
    std::fill(std::begin(arE1Multiplier), std::end(arE1Multiplier), 1.0f);
    std::fill(std::begin(arE2Multiplier), std::end(arE2Multiplier), 1.0f);
    std::fill(std::begin(arE1Constant), std::end(arE1Constant), 0.0f);
    std::fill(std::begin(arE2Constant), std::end(arE2Constant), 0.0f);
}

struct ReplayModule : ::testing::Test {
    TempDataRoot root;
    int32_t (*GoToHome)() = nullptr;
    int32_t (*GoToEnd)() = nullptr;
    int32_t (*GetCounter)() = nullptr;
    std::vector<SwathReading> readings;

    void SetUp() override
    {
        win::scripted::listen();
        TempDataRoot::writeFile(root.windowsDir() / "VARNEL.INI", "[Files]\nCurrentRawLog=nul\n");
        // Automatic pings go to a sounder port that replay does not have.
        TempDataRoot::writeFile(root.windowsDir() / "Swath.ini",
                                "[Surface]\nAutoPing=1\nScanning=1\nPingInterval_ms=200\n");
        ASSERT_EQ(DBInitialiseDatabase('C'), 1);
        resetReplayFlags(20);
    }
    void TearDown() override
    {
        resetReplayFlags(200);
        resetCalibration();
        win::scripted::stopListening();
    }

    void start()
    {
        ASSERT_TRUE(LoadSwathModule(nullptr, "Sonkel32r"));
        ASSERT_GE(BindTrackData(nullptr), 0);
        ASSERT_NE(hSwath.pfStopReplayAtEOF, nullptr);
        ASSERT_NE(hSwath.pfEraseOnRepeat, nullptr);
        GoToHome = reinterpret_cast<int32_t (*)()>(GetProcAddress(hSwath.handle, "GoToHome"));
        GoToEnd = reinterpret_cast<int32_t (*)()>(GetProcAddress(hSwath.handle, "GoToEnd"));
        GetCounter = reinterpret_cast<int32_t (*)()>(GetProcAddress(hSwath.handle, "GetCounter"));
        ASSERT_TRUE(GoToHome && GoToEnd && GetCounter);
        ASSERT_TRUE(StartSwathModule(nullptr));
    }
    void stop()
    {
        StopSwathModule(nullptr, 0);
        UnloadSwathModule();
    }

    // The chart timer's work: poll every 10 ms, keeping each reading, until `done` or 5 s.
    bool pollUntil(const std::function<bool()>& done, int limitMs = 5000)
    {
        SwathReading reading = UnpositionedReading();
        for (int waited = 0; waited < limitMs; waited += 10) {
            if (PollTrackData(nullptr, &reading) & 2)
                readings.push_back(reading);
            if (done())
                return true;
            win::waitProcessingEvents(10);
        }
        return false;
    }
    void pollFor(int ms)
    {
        pollUntil([] { return false; }, ms);
    }
    // The record a reading came from, by its depth.
    static int recordOf(const SwathReading& r) { return int(r.depth - 10.0f + 0.5f); }
};

TEST_F(ReplayModule, FollowsTheTapeDeckFlagsAndWrapsAtTheEnds)
{
    const size_t threadsBefore = ThreadCount();
    writeReplayFiles(root);
    // The centre transducer's echo values are calibrated on the way.
    TempDataRoot::writeFile(root.windowsDir() / "REPLAY.INI",
                            "[REPLAYBeam+0]\nE1 Multiplier=2\nE1 Constant=0.25\nE2 Constant=-0.125\n");
    start();
    EXPECT_TRUE(win::scripted::boxes().empty()) << win::scripted::boxes().front().text;

    // Stopped: nothing is fed.
    pollFor(200);
    EXPECT_EQ(GetCounter(), 0);
    EXPECT_TRUE(readings.empty());

    // Forward: every record reaches the hand-off in order, positioned and decoded.
    bStop = 0;
    ASSERT_TRUE(pollUntil([&] { return readings.size() >= 4; }));
    bPause = 1;
    pollFor(100);
    ASSERT_GE(readings.size(), 4u);
    for (size_t i = 0; i < readings.size(); ++i) {
        EXPECT_NEAR(readings[i].depth, recordDepth(int(i)), 0.1) << i;
        EXPECT_NEAR(readings[i].lat / 1e7, recordLat(int(i)), 1e-5) << i;
        EXPECT_NEAR(readings[i].lon / 1e7, 11.0 + 50.0 / 60.0, 1e-5) << i;
        EXPECT_EQ(int(readings[i].transducer), 0); // a packed field: by value
        EXPECT_NEAR(readings[i].e1, 1.0 * 2 + 0.25, 1e-3);
        EXPECT_NEAR(readings[i].e2, 0.5 - 0.125, 1e-3);
    }
    const int32_t paused = GetCounter();
    EXPECT_EQ(paused, int32_t(readings.size()));

    // Paused: the counter holds; a step plays exactly one record and is consumed.
    pollFor(200);
    EXPECT_EQ(GetCounter(), paused);
    bStep = 1;
    ASSERT_TRUE(pollUntil([&] { return GetCounter() == paused + 1; }));
    pollFor(200);
    EXPECT_EQ(GetCounter(), paused + 1);
    EXPECT_EQ(bStep, 0);
    EXPECT_EQ(recordOf(readings.back()), paused);

    // Backward: the counter counts down and the records come back in reverse.
    readings.clear();
    bReverse = 1;
    bPause = 0;
    ASSERT_TRUE(pollUntil([&] { return GetCounter() <= paused - 2; }));
    bStop = 1;
    pollFor(100);
    ASSERT_GE(readings.size(), 3u);
    for (size_t i = 0; i < readings.size(); ++i)
        EXPECT_EQ(recordOf(readings[i]), paused - int(i)) << i;
    const int32_t stopped = GetCounter();
    pollFor(200);
    EXPECT_EQ(GetCounter(), stopped);

    // Jumps.
    GoToEnd();
    EXPECT_EQ(GetCounter(), RECORDS);
    GoToHome();
    EXPECT_EQ(GetCounter(), 0);

    // Forward from the end wraps round to the first record and plays on.
    GoToEnd();
    readings.clear();
    bReverse = 0;
    bStop = 0;
    ASSERT_TRUE(pollUntil([&] { return readings.size() >= 2; }));
    EXPECT_EQ(recordOf(readings[0]), 0);
    EXPECT_EQ(recordOf(readings[1]), 1);
    EXPECT_EQ(bStop, 0);

    // With stop at the end, fast forward runs to the end and the jump stops the replay at home.
    *hSwath.pfStopReplayAtEOF = 1;
    readings.clear();
    bFast = 1;
    ASSERT_TRUE(pollUntil([&] { return bStop == 1; }));
    EXPECT_EQ(GetCounter(), 0);
    EXPECT_EQ(bFast, 0);
    ASSERT_FALSE(readings.empty());
    EXPECT_EQ(recordOf(readings.back()), RECORDS - 1);

    // Fast backward from home wraps to the end at once, and stops there.
    bRewind = 1;
    bStop = 0;
    ASSERT_TRUE(pollUntil([&] { return bStop == 1; }));
    EXPECT_EQ(GetCounter(), RECORDS);
    EXPECT_EQ(bRewind, 0);

    // No box from the automatic pings that found no sounder port.
    EXPECT_TRUE(win::scripted::boxes().empty()) << win::scripted::boxes().front().text;
    *hSwath.pfStopReplayAtEOF = 0;
    stop();
    EXPECT_EQ(ThreadCount(), threadsBefore) << "a module thread outlived the module";
}

TEST_F(ReplayModule, StartsWithoutItsFilesAfterSayingSo)
{
    start();
    auto boxes = win::scripted::boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_NE(boxes[0].text.find("c:\\varnel\\testdata\\nav.txt"), std::string::npos) << boxes[0].text;
    EXPECT_NE(boxes[1].text.find("c:\\varnel\\testdata\\sedrix.txt"), std::string::npos) << boxes[1].text;
    bStop = 0;
    pollFor(200);
    EXPECT_EQ(GetCounter(), 0);
    EXPECT_TRUE(readings.empty());
    stop();
}

// What a jump does with the program's two replay options; the chart window's display work
// is counted.
TEST(ReplayJump, FollowsTheStopAndEraseOptions)
{
    static int erased, broken, shown;
    replayDisplay = {[] { ++erased; }, [] { ++broken; }, [] { ++shown; }};
    std::atomic<int32_t> stopAtEnd{0}, eraseOnRepeat{0};
    hSwath.pfStopReplayAtEOF = &stopAtEnd;
    hSwath.pfEraseOnRepeat = &eraseOnRepeat;
    const struct {
        int32_t stop, erase, fromButton;
        int32_t result, stopped;
        bool pending;
        int erased, broken;
    } cases[] = {
        {0, 0, 0, 0, 0, false, 0, 1}, // the line is broken, nothing erased
        {0, 1, 0, 0, 0, false, 1, 0}, // erased at once
        {0, 1, 1, 0, 0, false, 0, 1}, // the buttons' own jumps never erase
        {1, 0, 0, 1, 1, false, 0, 1}, // stopped, the line broken
        {1, 1, 0, 1, 1, true, 0, 0},  // stopped: the erase waits for play
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.stop << c.erase << c.fromButton);
        resetReplayFlags(200);
        bStop = 0;
        bFast = 1;
        bReplayRedrawPending = false;
        erased = broken = shown = 0;
        stopAtEnd = c.stop;
        eraseOnRepeat = c.erase;
        EXPECT_EQ(ReplayJump(c.fromButton), c.result);
        EXPECT_EQ(bStop, c.stopped);
        EXPECT_EQ(bFast, c.stopped ? 0 : 1);
        EXPECT_EQ(shown, c.stopped);
        EXPECT_EQ(bReplayRedrawPending, c.pending);
        EXPECT_EQ(erased, c.erased);
        EXPECT_EQ(broken, c.broken);
    }
    // Without the options bound a jump only breaks the line.
    hSwath.pfStopReplayAtEOF = hSwath.pfEraseOnRepeat = nullptr;
    broken = 0;
    EXPECT_EQ(ReplayJump(0), 0);
    EXPECT_EQ(broken, 1);
    replayDisplay = {};
    bReplayRedrawPending = false;
    resetReplayFlags(200);
}

} // namespace
