// A recorded survey made into replay files by the real replaymake program and played back by
// the real replay module: every reading comes back, in time order, on its own transducer, with
// its position and values as close to the recorded ones as the replay files' formats allow.
#include "TempDataRoot.h"
#include "database/CurrentTrack.h"
#include "platform/gui.h"
#include "platform/messages.h"
#include "platform/system.h"
#include "recording/ModuleBinding.h"
#include "recording/RecordingControl.h"
#include "replay/ReplayFlags.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

// The transducers in the order the store gives their tracks handles (by beam slot).
constexpr int TRANSDUCERS[] = {0, 1, 2, 3, -3, -2, -1};
constexpr int PINGS = 12;
constexpr uint32_t FIRST_TIME = 1789000000;

// The unit's travel-time count per metre of depth: two-way at 1480 m/s, a clock of 7680 Hz.
constexpr double TICKS_PER_METRE = 2.0 * 7680.0 / 1480.0;

struct Recorded {
    TrackPoint point;
    int transducer;
};

// Positions where the minutes round up to a whole degree, sit on the equator or the meridian,
// or lie one unit either side of it; the rest are anywhere on earth.
TrackPoint SourcePoint(int index, std::mt19937& random)
{
    static const int32_t edges[][2] = {{0, 0},           {-1, 1},          {899999999, 1799999999},
                                       {-899999999, -1799999999}, {-515083333, 2041666}, {516666666, -9999999},
                                       {1, -1}};
    std::uniform_int_distribution<int32_t> lat(-899999999, 899999999), lon(-1799999999, 1799999999);
    std::uniform_real_distribution<float> depth(0.0f, 960.0f), echo(0.0f, 2.0f);
    const bool edge = index < int(std::size(edges));
    return TrackPoint{depth(random), echo(random), echo(random), edge ? edges[index][0] : lat(random),
                      edge ? edges[index][1] : lon(random), 0};
}

// What the recorder does for each reading: one point and its time in the slot's current track.
void RecordReading(const TrackPoint& point, int transducer, uint32_t time)
{
    const int slot = BeamSlot(transducer);
    TrackInfo& info = globalcurrenttrackinfos[slot];
    info.slot = slot;
    ASSERT_EQ(DBSaveCurrentTrackInfo(&info), 1);
    TrackPoint copy = point;
    CurrentTrackBlock points{&copy, 1, 0, uint32_t(slot)};
    ASSERT_EQ(DBAddPointsToCurrentTrack(&points), 1);
    TimeBlock times{&time, 1, uint32_t(slot)};
    ASSERT_EQ(DBAddTimesToCurrentTrack(&times), 1);
}

// Magnitude of a coordinate, as the $GPGLL fields carry it apart from its hemisphere letter.
int64_t Magnitude(int32_t value) { return std::llabs(int64_t(value)); }

class ReplaymakeRoundTrip : public ::testing::Test {
protected:
    void SetUp() override
    {
        win::scripted::listen();
        TempDataRoot::writeFile(root.windowsDir() / "VARNEL.INI", "[Files]\nCurrentRawLog=nul\n");
        ASSERT_EQ(DBInitialiseDatabase('C'), 1);
        bStop = 1;
        bPause = bStep = bFast = bRewind = bReverse = 0;
        ctReplayInterval = 1;
    }
    void TearDown() override
    {
        bStop = 1;
        ctReplayInterval = 200;
        win::scripted::stopListening();
    }

    // A survey line: every ping read by all seven transducers at the same second, stored as
    // one track per transducer.
    std::vector<Recorded> RecordSurvey()
    {
        std::mt19937 random(11);
        std::vector<Recorded> survey;
        for (int ping = 0; ping < PINGS; ++ping)
            for (int transducer : TRANSDUCERS) {
                survey.push_back({SourcePoint(int(survey.size()), random), transducer});
                RecordReading(survey.back().point, transducer, FIRST_TIME + uint32_t(ping));
            }
        globalpasttrackinfo = globalcurrenttrackinfos[0];
        EXPECT_EQ(DBSaveCurrentTrack(&globalpasttrackinfo), 1);
        return survey;
    }

    void RunReplaymake()
    {
        QProcess replaymake;
        replaymake.start(QString::fromStdString(win::programFolder() + "/replaymake"), {});
        ASSERT_TRUE(replaymake.waitForStarted(5000)) << "replaymake is built beside this test";
        // On after the report and the listing, all tracks, and the last key.
        replaymake.write("  n ");
        replaymake.closeWriteChannel();
        ASSERT_TRUE(replaymake.waitForFinished(30000));
        const std::string output = replaymake.readAllStandardOutput().toStdString();
        EXPECT_EQ(replaymake.exitCode(), 1) << output << replaymake.readAllStandardError().toStdString();
        EXPECT_NE(output.find("That was 84 points"), std::string::npos) << output;
    }

    // The replay from the first record to the end, polled as the chart timer polls.
    std::vector<SwathReading> Replay(std::size_t expected)
    {
        std::vector<SwathReading> readings;
        EXPECT_TRUE(LoadSwathModule(nullptr, "Sonkel32r"));
        EXPECT_GE(BindTrackData(nullptr), 0);
        if (!hSwath.pfStopReplayAtEOF)
            return readings;
        *hSwath.pfStopReplayAtEOF = 1;
        EXPECT_TRUE(StartSwathModule(nullptr));
        bStop = 0;
        // A position and its reading may be taken by different polls: the record keeps both.
        // The last reading is still waiting when the replay stops at the end.
        SwathReading reading = UnpositionedReading();
        int afterStop = 0;
        for (int waited = 0; waited < 20000 && afterStop < 100; waited += 2) {
            if (PollTrackData(nullptr, &reading) & 2)
                readings.push_back(reading);
            win::waitProcessingEvents(2);
            if (bStop)
                afterStop += 2;
        }
        EXPECT_EQ(bStop, 1) << "the replay stops at the end of its files";
        *hSwath.pfStopReplayAtEOF = 0;
        StopSwathModule(nullptr, 0);
        UnloadSwathModule();
        EXPECT_EQ(readings.size(), expected);
        return readings;
    }

    TempDataRoot root;
};

TEST_F(ReplaymakeRoundTrip, ReadingsComeBackAsRecordedToThePrecisionOfTheFormats)
{
    const std::vector<Recorded> survey = RecordSurvey();
    ASSERT_EQ(survey.size(), 84u);
    RunReplaymake();
    const std::vector<SwathReading> readings = Replay(survey.size());

    // Readings of one second keep the order of their tracks' handles, which is the order they
    // were recorded in here.
    for (std::size_t i = 0; i < std::min(readings.size(), survey.size()); ++i) {
        // Copies: the packed records' fields are not aligned.
        const TrackPoint source = survey[i].point;
        const SwathReading got = readings[i];
        EXPECT_EQ(+got.transducer, survey[i].transducer) << i;

        // Minutes with four decimals are rounded, to 1/20000' = 8.33e-7 degree, and the
        // module truncates the degrees it reads to whole 1e-7 degree: -9 to +8 units in all.
        const int32_t recordedPosition[] = {source.lat, source.lon}, replayedPosition[] = {got.lat, got.lon};
        for (int axis = 0; axis < 2; ++axis) {
            const int32_t recorded = recordedPosition[axis], replayed = replayedPosition[axis];
            const int64_t change = Magnitude(replayed) - Magnitude(recorded);
            EXPECT_GE(change, -9) << i << ": " << recorded << " came back as " << replayed;
            EXPECT_LE(change, 8) << i << ": " << recorded << " came back as " << replayed;
            if (replayed != 0) {
                EXPECT_EQ(replayed < 0, recorded < 0) << i << ": " << recorded << " came back as " << replayed;
            }
        }

        // The travel-time count is truncated: a depth comes back up to one count (9.6 cm)
        // shallower, never deeper (but for the float a depth is kept in).
        const double shallower = double(source.depth) - double(got.depth);
        EXPECT_GE(shallower, -1e-4) << i << ": " << source.depth << " came back as " << got.depth;
        EXPECT_LT(shallower, 1.0 / TICKS_PER_METRE + 1e-4) << i << ": " << source.depth << " came back as " << got.depth;

        // An echo travels as its square in thousandths, truncated to an integer in four octal
        // digits: the square comes back up to 0.001 smaller.
        const float recordedEcho[] = {source.e1, source.e2}, replayedEcho[] = {got.e1, got.e2};
        for (int echo = 0; echo < 2; ++echo) {
            const double recorded = recordedEcho[echo], replayed = replayedEcho[echo];
            const double smaller = recorded * recorded - replayed * replayed;
            EXPECT_GE(smaller, -1e-5) << i << ": " << recorded << " came back as " << replayed;
            EXPECT_LT(smaller, 0.001 + 1e-5) << i << ": " << recorded << " came back as " << replayed;
        }
    }
    EXPECT_TRUE(win::scripted::boxes().empty()) << win::scripted::boxes().front().text;
}

} // namespace
