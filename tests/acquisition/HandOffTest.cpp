// The hand-off in GetTrackData, fed sentences and sounder lines through the framers: what reaches
// the current track of a fresh database through the save-rate gate and the speed window, nothing
// before the first fix, and a full disk that stops saving without losing what was recorded.
#include "CurrentTrackFiles.h"
#include "ScopedGuards.h"
#include "TempDataRoot.h"
#include "acquisition/HandOff.h"
#include "acquisition/Navigation.h"
#include "acquisition/SounderLink.h"
#include "classification/BoxFile.h"
#include "database/CurrentTrack.h"
#include "database/DbFiles.h"
#include "database/OverlayStore.h"
#include "database/TrackStore.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "recording/SwathGeometry.h"
#include "recording/VesselState.h"

#include <cstring>
#include <tuple>
#include <gtest/gtest.h>
#include <thread>

// The main program's recording control shows the speed inhibit; here it is watched.
std::vector<int> autoSaveIndications;
extern "C" void AutoSaveIndicate(int on) { autoSaveIndications.push_back(on); }

namespace {

struct HandOffTest : ::testing::Test {
    TempDataRoot root;

    void SetUp() override
    {
        win::scripted::listen();
        ASSERT_EQ(DBInitialiseDatabase('C'), 1);
        win::scripted::clear();
        FillDefaultBox(&boxFile);
        for (int c = 0; c < BOX_CELLS; ++c)
            for (int r = 0; r < BOX_CELLS; ++r)
                boxFile.grid[c][r] = uint16_t(c % 30);
        ResetAcquisitionState();
        ResetVesselState();
        globaltrackstatus.field[TS_SAVING] = 1;
        globaltrackstatus.field[TS_SAVE_RATE] = 0;
        savingjuststarted = 1;
        autoSaveIndications.clear();
    }
    void TearDown() override
    {
        globaltrackstatus.field[TS_SAVING] = 0;
        win::scripted::stopListening();
    }

    static void sounderLine(const std::string& line)
    {
        SounderFramer& f = sounderFramer;
        std::memcpy(f.receive, line.data(), line.size());
        f.readPos = 0;
        f.unread = int(line.size());
        while (f.unread > 0)
            FrameSounderBytes(f);
    }
    // Frames a sentence as the reader thread does.
    static void navSentence(const std::string& sentence)
    {
        NavFramer& f = navFramer;
        std::memcpy(f.receive, sentence.data(), sentence.size());
        f.readPos = 0;
        f.unread = int(sentence.size());
        FrameNavBytes(f);
    }
    static std::vector<TrackPoint> points(int slot) { return CurrentTrackPoints(slot); }
    static size_t timeCount(int slot) { return CurrentTrackTimes(slot).size(); }
};

TEST_F(HandOffTest, SavingOffTakesFixAndReadingButRecordsNothing)
{
    globaltrackstatus.field[TS_SAVING] = 0;
    OpenSaveRateGate();
    navSentence("$GPGLL,5000.0000,N,00100.0000,W\r");
    sounderLine("E0768F0100S0200\r\n");
    SwathReading r{};
    EXPECT_EQ(GetTrackData(&r), 3u);
    EXPECT_EQ(+r.transducer, 1);
    EXPECT_EQ(+r.lat, 500000000);
    EXPECT_TRUE(points(1).empty());
}

TEST_F(HandOffTest, RecordsAPositionedClassifiedPointWithItsTime)
{
    heading = 90.0f;
    OpenSaveRateGate();
    navSentence("$GPGLL,5000.0000,N,00100.0000,W\r");
    sounderLine("F0768F0100S0200\r\n");
    SwathReading r{};
    r.heading = -1.0f; // no compass: the main program's heading positions the point
    ASSERT_EQ(GetTrackData(&r), 3u);
    EXPECT_EQ(+r.lat, 500000000) << "the caller's reading stays unpositioned";

    SwathReading expected = r;
    expected.heading = 90.0f;
    CalculateSwathPosition(&expected);
    SetupTrackPointColour(&expected);
    auto stored = points(2);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(+stored[0].lat, +expected.lat);
    EXPECT_EQ(+stored[0].lon, +expected.lon);
    EXPECT_NE(+stored[0].lat, +r.lat);
    EXPECT_FLOAT_EQ(+stored[0].depth, +expected.depth);
    EXPECT_EQ(+stored[0].colour, +expected.colour);
    EXPECT_EQ(timeCount(2), 1u);

    EXPECT_EQ(savingjuststarted, 0);
    EXPECT_EQ(globalcurrenttrackinfos[2].toplat, +expected.lat);
    EXPECT_EQ(globalcurrenttrackinfos[2].leftlon, +expected.lon);
    EXPECT_EQ(globalcurrenttrackinfos[0].leftlon, 1800000000) << "other slots start empty";
    EXPECT_EQ(globalcurrenttrackinfos[5].bottomlat, 900000000);
}

TEST_F(HandOffTest, GateLetsEachSlotRecordOncePerOpening)
{
    OpenSaveRateGate();
    SwathReading r{};
    for (const char* line : {"D0100F0001S0001\r\n", "D0200F0001S0001\r\n", "A0300F0001S0001\r\n"}) {
        sounderLine(line);
        EXPECT_EQ(GetTrackData(&r), 2u);
    }
    EXPECT_EQ(points(0).size(), 1u);
    EXPECT_EQ(points(5).size(), 1u);
    OpenSaveRateGate();
    sounderLine("D0400F0001S0001\r\n");
    GetTrackData(&r);
    EXPECT_EQ(points(0).size(), 2u);

    globaltrackstatus.field[TS_SAVE_RATE] = 5;
    OpenSaveRateGate(); // within five seconds of the last opening: stays shut
    sounderLine("D0500F0001S0001\r\n");
    GetTrackData(&r);
    EXPECT_EQ(points(0).size(), 2u);

    globaltrackstatus.field[TS_SAVE_RATE] = 1;
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    OpenSaveRateGate(); // a second on: open again
    sounderLine("D0600F0001S0001\r\n");
    GetTrackData(&r);
    EXPECT_EQ(points(0).size(), 3u);
}

TEST_F(HandOffTest, SpeedWindowInhibitsOutsideItsLimits)
{
    rMinVesselKnots = 2.0;
    rMaxVesselKnots = 8.0;
    struct Case {
        const char* knots;
        bool inhibited;
    } cases[] = {{"2.0", false}, {"8.0", false}, {"1.9", true}, {"8.1", true}, {"5.0", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.knots);
        navSentence(std::string("$GPVTG,90.0,T,,M,") + c.knots + ",N\r");
        OpenSaveRateGate();
        sounderLine("D0100F0001S0001\r\n");
        size_t before = points(0).size();
        SwathReading r{};
        EXPECT_EQ(GetTrackData(&r), 2u) << "a course is no fix";
        EXPECT_EQ(fRecordingInhibited.load(), c.inhibited);
        EXPECT_EQ(points(0).size(), before + (c.inhibited ? 0 : 1));
    }
    EXPECT_EQ(autoSaveIndications, (std::vector<int>{0, 1}));

    // Switching the window off while it holds recording back lets recording go on.
    navSentence("$GPVTG,90.0,T,,M,30.0,N\r");
    SwathReading r{};
    GetTrackData(&r);
    ASSERT_TRUE(fRecordingInhibited.load());
    rMaxVesselKnots = -1;
    navSentence("$GPVTG,90.0,T,,M,30.0,N\r");
    GetTrackData(&r);
    EXPECT_FALSE(fRecordingInhibited.load()) << "window off";
    EXPECT_EQ(autoSaveIndications, (std::vector<int>{0, 1, 0, 1}));
}

TEST_F(HandOffTest, AFullDiskStopsSavingOnceAndLosesNothingRecorded)
{
    auto reading = [](const char* line) {
        OpenSaveRateGate();
        navSentence("$GPGLL,5000.0000,N,00100.0000,W\r");
        sounderLine(line);
        SwathReading r{};
        GetTrackData(&r);
    };
    for (int i = 0; i < 3; ++i) {
        reading("D0100F0001S0001\r\n");
        reading("E0100F0001S0001\r\n");
    }
    {
        ScopedFileSizeLimit full(3 * sizeof(TrackPoint));
        for (int i = 0; i < 3; ++i)
            reading("D0100F0001S0001\r\n");
    }
    ASSERT_EQ(win::scripted::boxes().size(), 1u);
    EXPECT_EQ(win::scripted::boxes()[0].caption, "Recording stopped");
    EXPECT_EQ(win::scripted::boxes()[0].text.rfind("The disk is full. Recording has stopped.", 0), 0u)
        << win::scripted::boxes()[0].text;
    EXPECT_EQ(globaltrackstatus.field[TS_SAVING], 0);
    EXPECT_EQ(autoSaveIndications, std::vector<int>{0});
    EXPECT_EQ(points(0).size(), 3u);
    EXPECT_EQ(timeCount(0), 3u);

    // The next start-up stores both slots, each with its own rectangle and beam.
    std::vector<TrackPoint> slot0 = points(0), slot1 = points(1);
    win::scripted::clear();
    ASSERT_EQ(DBInitialiseDatabase('C'), 1);
    EXPECT_TRUE(win::scripted::boxes().empty());
    for (auto [handle, stored, transducer] : {std::tuple{2u, &slot0, 0}, std::tuple{3u, &slot1, 1}}) {
        TrackInfo entry{};
        entry.handle = handle;
        ASSERT_EQ(DBGetObjectInfo(TRACK_OVERLAY, OBJ_TRACK, &entry, "database"), 1);
        EXPECT_EQ(entry.points, 3u);
        EXPECT_EQ(entry.leftlon, +(*stored)[0].lon);
        EXPECT_EQ(entry.toplat, +(*stored)[0].lat);
        int beam = -9;
        EXPECT_EQ(DBGetTrackBeam(handle, &beam), 0);
        EXPECT_EQ(beam, transducer);
    }
}

TEST_F(HandOffTest, NothingIsRecordedBeforeTheFirstFix)
{
    OpenSaveRateGate();
    sounderLine("D0100F0001S0001\r\n");
    SwathReading r{};
    r.lat = NO_POSITION_LAT;
    r.lon = NO_POSITION_LONG;
    EXPECT_EQ(GetTrackData(&r), 2u);
    EXPECT_TRUE(points(0).empty());
    EXPECT_EQ(savingjuststarted, 1) << "still waiting for the first recorded reading";
}

TEST_F(HandOffTest, DecodeFailureLeavesTransducerZero)
{
    OpenSaveRateGate();
    sounderLine("g0100F0001S0001\r\n");
    SwathReading r{};
    r.transducer = 3;
    EXPECT_EQ(GetTrackData(&r), 0u);
    EXPECT_EQ(+r.transducer, 0);
    EXPECT_TRUE(points(0).empty());
}

} // namespace
