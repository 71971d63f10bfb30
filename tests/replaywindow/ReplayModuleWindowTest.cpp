// The replay window over the real replay module, started as the chart window starts it: the
// counter shows the module's count, the buttons jump to either end, and the module's own jumps
// at the ends of the replay stop it, erase the display or break its lines as the options say.
#include "ReplayWindowFixture.h"

#include "database/CurrentTrack.h"
#include "platform/modules.h"
#include "recording/RecordingControl.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int RECORDS = 6;

// Record i: 57°(40 + i)' N 011°50.0' E, depth 10 + i m under the centre transducer.
void writeReplayFiles(const TempDataRoot& root)
{
    std::string nav, sounder;
    char line[80];
    for (int i = 0; i < RECORDS; ++i) {
        std::snprintf(line, sizeof line, "$GPGLL,57%07.4lf,N,011%07.4lf,E\r\n", 40.0 + i, 50.0);
        nav += line;
        std::snprintf(line, sizeof line, "D%04uF%04oS%04o\r\n", unsigned((10.0 + i) * 10.378378), 1000u, 250u);
        sounder += line;
    }
    TempDataRoot::writeFile(root.driveC() / "varnel" / "testdata" / "nav.txt", nav);
    TempDataRoot::writeFile(root.driveC() / "varnel" / "testdata" / "sedrix.txt", sounder);
}

std::atomic<int> erased{0}, broken{0};

class ReplayModuleWindow : public ReplayWindowTest {
protected:
    void SetUp() override
    {
        ReplayWindowTest::SetUp();
        TempDataRoot::writeFile(home.windowsDir() / "VARNEL.INI", "[Files]\nCurrentRawLog=nul\n");
        ASSERT_EQ(DBInitialiseDatabase('C'), 1);
        writeReplayFiles(home);
        loadReplayModule();
        getCounter = reinterpret_cast<int32_t (*)()>(GetProcAddress(hSwath.handle, "GetCounter"));
        ASSERT_TRUE(getCounter);
        ASSERT_TRUE(StartSwathModule(nullptr));
        ctReplayInterval = 20;
        erased = broken = 0;
        // The chart window's display work, counted; the module's feeder thread may do it.
        replayDisplay.eraseCurrentTrack = [] { ++erased; };
        replayDisplay.breakCurrentTrackLines = [] { ++broken; };
        ShowReplayWindow(chartWindow);
        ASSERT_TRUE(win::scripted::boxes().empty()) << win::scripted::boxes().front().text;
    }
    void TearDown() override
    {
        if (hSwath.pfStopReplayAtEOF) {
            *hSwath.pfStopReplayAtEOF = 0;
            *hSwath.pfEraseOnRepeat = 0;
        }
        bStop = 1;
        if (hSwath.handle)
            StopSwathModule(nullptr, 0);
        ReplayWindowTest::TearDown();
    }

    // The chart timer's work: take the module's records, the counter following each.
    bool pollUntil(const std::function<bool()>& done)
    {
        SwathReading reading = UnpositionedReading();
        return processEventsUntil([&] {
            if (PollTrackData(nullptr, &reading) & 2)
                UpdateReplayCounter();
            return done();
        });
    }

    int32_t (*getCounter)() = nullptr;
};

TEST_F(ReplayModuleWindow, TheCounterShowsTheModulesCount)
{
    EXPECT_EQ(counterText(), "0");
    click(IDC_BUTTON_END);
    EXPECT_EQ(getCounter(), RECORDS);
    UpdateReplayCounter();
    EXPECT_EQ(counterText(), std::to_string(RECORDS));
    click(IDC_BUTTON_HOME);
    UpdateReplayCounter();
    EXPECT_EQ(counterText(), "0");

    click(IDC_BUTTON_PLAY);
    ASSERT_TRUE(pollUntil([&] { return std::atoi(counterText().c_str()) >= 3; })) << counterText();
    click(IDC_BUTTON_STOP);
    ASSERT_TRUE(pollUntil([&] { return counterText() == std::to_string(getCounter()); }));
    // Opened again, it shows the count at once; the jump wins over a record still on its way.
    click(IDC_BUTTON_END);
    click(IDOK);
    ShowReplayWindow(chartWindow);
    EXPECT_EQ(counterText(), std::to_string(RECORDS));
    EXPECT_TRUE(win::scripted::boxes().empty());
}

// The replay runs into an end, where the module wraps round and reports the jump from its
// own thread: stop at the end, erase on repeat, both or neither.
TEST_F(ReplayModuleWindow, TheModulesJumpAtAnEndFollowsTheOptions)
{
    const struct {
        int32_t stop, erase;
        int startAt, playButton;
    } cases[] = {
        {1, 1, IDC_BUTTON_END, IDC_BUTTON_PLAY}, {1, 1, IDC_BUTTON_HOME, IDC_BUTTON_REV},
        {0, 1, IDC_BUTTON_END, IDC_BUTTON_PLAY}, {1, 0, IDC_BUTTON_HOME, IDC_BUTTON_REV},
        {0, 0, IDC_BUTTON_END, IDC_BUTTON_PLAY},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "stop " << c.stop << " erase " << c.erase << " play " << c.playButton);
        *hSwath.pfStopReplayAtEOF = c.stop;
        *hSwath.pfEraseOnRepeat = c.erase;
        erased = broken = 0;
        click(IDC_BUTTON_STOP);
        click(c.startAt);
        // The button's own jump never erases.
        EXPECT_EQ(erased, 0);
        EXPECT_FALSE(bReplayRedrawPending);
        erased = broken = 0;

        click(c.playButton);
        ASSERT_TRUE(pollUntil([] { return erased || broken || bReplayRedrawPending; }));
        const bool pending = c.stop && c.erase;
        EXPECT_EQ(bReplayRedrawPending, pending);
        EXPECT_EQ(erased > 0, !c.stop && c.erase);
        EXPECT_EQ(broken > 0, !c.erase);
        if (c.stop) {
            // Stopped where it wrapped to; the buttons show it.
            ASSERT_TRUE(processEventsUntil([this] { return checked(IDC_BUTTON_STOP); }));
            EXPECT_EQ(bStop, 1);
            EXPECT_FALSE(checked(c.playButton));
            EXPECT_EQ(getCounter(), c.startAt == IDC_BUTTON_END ? 0 : RECORDS);
        } else {
            EXPECT_EQ(bStop, 0);
        }
        if (pending) {
            // The erase waits for the next press of play.
            click(c.playButton);
            EXPECT_EQ(erased, 1);
            EXPECT_FALSE(bReplayRedrawPending);
            EXPECT_EQ(bStop, 0);
        }
        click(IDC_BUTTON_STOP);
    }
}

} // namespace
