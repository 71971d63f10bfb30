// The acquisition path over real pseudo-terminals: swathsim plays the swath unit, the GPS and
// the compass; the link code pings through the seven transducers and the hand-off records.
#include "CurrentTrackFiles.h"
#include "SimulatorProcess.h"
#include "TempDataRoot.h"
#include "acquisition/HandOff.h"
#include "acquisition/JamTable.h"
#include "acquisition/Navigation.h"
#include "acquisition/SounderLink.h"
#include "classification/BoxFile.h"
#include "database/CurrentTrack.h"
#include "database/DbFiles.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/profile.h"
#include "recording/SwathGeometry.h"
#include "recording/VesselState.h"
#include "seabed/seabedmodel.h"

#include <cstring>
#include <ctime>
#include <gtest/gtest.h>
#include <thread>

using namespace std::chrono_literals;

// The main program's recording control; the speed window stays off here.
extern "C" void AutoSaveIndicate(int) {}

namespace {


struct EndToEnd : ::testing::Test {
    TempDataRoot root;
    std::unique_ptr<SimulatorProcess> sim;
    std::vector<SwathReading> expected[BEAM_SLOTS];
    SwathReading reading{};

    void SetUp() override
    {
        win::scripted::listen();
        ASSERT_EQ(DBInitialiseDatabase('C'), 1);
        win::scripted::clear();
        FillDefaultBox(&boxFile);
        for (int c = 0; c < BOX_CELLS; ++c)
            for (int r = 0; r < BOX_CELLS; ++r)
                boxFile.grid[c][r] = uint16_t((c / 4) * 6 + r / 6); // a class pattern across the plane
        for (auto& e : jamTable)
            e = DEFAULT_JAM_ENTRY;
        sim = std::make_unique<SimulatorProcess>(std::vector<std::string>{"--seed", "7", "--speed", "6", "--duration", "60"});
        ASSERT_EQ(sim->devices().size(), 3u);
        link(1, "gps");
        link(3, "sounder");
        link(4, "compass");
        WritePrivateProfileStringA("Compass", "Port", "COM4", "VARNEL.INI");
        reading.lat = NO_POSITION_LAT;
        reading.lon = NO_POSITION_LONG;
        heading = -1.0f;
        rMaxVesselKnots = -1.0;
        globaltrackstatus.field[TS_SAVE_RATE] = 0;
    }
    void TearDown() override
    {
        CloseCompass();
        CloseLinks(nullptr);
        globaltrackstatus.field[TS_SAVING] = 0;
        win::scripted::stopListening();
    }
    void link(int com, const char* instrument)
    {
        std::filesystem::create_symlink(sim->devices().at(instrument), root.root() / "dosdevices" / ("com" + std::to_string(com)));
    }

    // One automatic ping as the module's timer sends it; then the chart timer's polling of the
    // hand-off until the reading is in. True when it came.
    bool pingAndTake(int transducer)
    {
        SounderPurge(PURGE_RXCLEAR);
        SelectTransducer(transducer);
        SendJamValues(jamTable, transducer);
        ArmTransducer();
        Ping();
        for (auto deadline = std::chrono::steady_clock::now() + 1s; std::chrono::steady_clock::now() < deadline;) {
            OpenSaveRateGate();
            bool saving = globaltrackstatus.field[TS_SAVING] != 0;
            uint32_t flags = GetTrackData(&reading);
            if (flags & 2) {
                EXPECT_EQ(+reading.transducer, transducer);
                if (saving && reading.lat != NO_POSITION_LAT) {
                    SwathReading copy = reading;
                    if (!(copy.heading >= 0.0f && copy.heading <= 360.0f))
                        copy.heading = heading;
                    CalculateSwathPosition(&copy);
                    SetupTrackPointColour(&copy);
                    expected[BeamSlot(transducer)].push_back(copy);
                }
                return true;
            }
            std::this_thread::sleep_for(10ms);
        }
        return false;
    }
    void waitForFix()
    {
        for (auto deadline = std::chrono::steady_clock::now() + 4s;
             reading.lat == NO_POSITION_LAT && std::chrono::steady_clock::now() < deadline;
             std::this_thread::sleep_for(20ms))
            GetTrackData(&reading);
        ASSERT_NE(+reading.lat, NO_POSITION_LAT) << "no position fix from the simulator";
    }
};

TEST_F(EndToEnd, EveryAcceptedReadingLandsPositionedAndClassifiedInItsSlot)
{
    ASSERT_EQ(OpenLinks(nullptr), 0);
    ASSERT_EQ(OpenCompass(nullptr), 0);
    ASSERT_TRUE(win::scripted::boxes().empty());
    uint32_t started = uint32_t(std::time(nullptr));
    waitForFix();
    EXPECT_NEAR(+reading.lat / 1e7, 57.695, 0.01);
    EXPECT_NEAR(+reading.lon / 1e7, 11.835, 0.01);

    globaltrackstatus.field[TS_SAVING] = 1;
    savingjuststarted = 1;
    int answered = 0;
    for (int round = 0; round < 3; ++round)
        for (int t = -3; t <= 3; ++t)
            answered += pingAndTake(t);
    EXPECT_GE(answered, 19) << "the unit answers nearly every ping";
    EXPECT_GT(GetTrackKnots(), 5.9f) << "speed over ground from VTG";
    EXPECT_GE(+reading.heading, 0.0f) << "heading from the compass";

    // With saving off nothing more is appended.
    globaltrackstatus.field[TS_SAVING] = 0;
    size_t before[BEAM_SLOTS];
    for (int slot = 0; slot < BEAM_SLOTS; ++slot)
        before[slot] = CurrentTrackPoints(slot).size();
    for (int t = -3; t <= 3; ++t)
        pingAndTake(t);
    uint32_t finished = uint32_t(std::time(nullptr));

    for (int slot = 0; slot < BEAM_SLOTS; ++slot) {
        SCOPED_TRACE("slot " + std::to_string(slot));
        auto points = CurrentTrackPoints(slot);
        EXPECT_EQ(points.size(), before[slot]);
        ASSERT_EQ(points.size(), expected[slot].size());
        if (slot != 4) {
            EXPECT_GE(points.size(), 2u);
        }
        auto stamps = CurrentTrackTimes(slot);
        ASSERT_EQ(stamps.size(), points.size());
        for (size_t i = 0; i < points.size(); ++i) {
            const SwathReading& e = expected[slot][i];
            EXPECT_EQ(+points[i].lat, +e.lat);
            EXPECT_EQ(+points[i].lon, +e.lon);
            EXPECT_FLOAT_EQ(+points[i].depth, +e.depth);
            EXPECT_EQ(+points[i].colour, +e.colour);
            EXPECT_GE(stamps[i], started);
            EXPECT_LE(stamps[i], finished);
            // The simulator's seabed and the program's geometry agree on where the beam landed,
            // within what the vessel's motion since the last fix and compass reading allows.
            EXPECT_NEAR(+points[i].depth, seabed::depthAt(+points[i].lat / 1e7, +points[i].lon / 1e7), 2.0);
        }
    }
    EXPECT_TRUE(win::scripted::boxes().empty());
}

TEST_F(EndToEnd, InstrumentsPulledOutAreReportedOnceAndTheTrackKept)
{
    ASSERT_EQ(OpenLinks(nullptr), 0);
    ASSERT_EQ(OpenCompass(nullptr), 0);
    waitForFix();
    globaltrackstatus.field[TS_SAVING] = 1;
    savingjuststarted = 1;
    for (int t = -3; t <= 3; ++t)
        pingAndTake(t);
    auto kept = CurrentTrackPoints(0);
    ASSERT_FALSE(kept.empty());

    sim->stop();
    for (int t = -3; t <= 0; ++t)
        EXPECT_FALSE(pingAndTake(t));
    std::vector<std::string> texts;
    for (const auto& box : win::scripted::boxes())
        texts.push_back(box.text);
    std::sort(texts.begin(), texts.end());
    EXPECT_EQ(texts, (std::vector<std::string>{"Lost COM1 for Nav Input: the device has gone away",
                                                "Lost COM3 for Sedrix Swath Input/Output: the device has gone away"}));
    auto after = CurrentTrackPoints(0);
    ASSERT_EQ(after.size(), kept.size());
    EXPECT_EQ(std::memcmp(after.data(), kept.data(), kept.size() * sizeof(TrackPoint)), 0);
}

TEST(Swathsim, HelpAndBadOptions)
{
    std::string out;
    EXPECT_EQ(SimulatorProcess::run({"--help"}, out), 0);
    EXPECT_NE(out.find("--speed KNOTS"), std::string::npos);
    EXPECT_NE(out.find("--seed N"), std::string::npos);
    out.clear();
    EXPECT_EQ(SimulatorProcess::run({"--speed"}, out), 2);
    EXPECT_EQ(SimulatorProcess::run({"--lines", "0"}, out), 2);
    EXPECT_EQ(SimulatorProcess::run({"--frobnicate"}, out), 2);
}

} // namespace
