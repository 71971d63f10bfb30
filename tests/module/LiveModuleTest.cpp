// A live survey headless: the instrument simulator on pseudo-terminals, the real module loaded
// by name, recording switched on and off through the main program's recording control.
#include "PseudoTerminal.h"
#include "SurveyHost.h"
#include "classification/BoxFile.h"
#include "recording/VesselState.h"
#include "TempDataRoot.h"
#include "database/CurrentTrack.h"
#include "database/OverlayStore.h"
#include "database/TrackStore.h"
#include "platform/files.h"
#include "platform/gui.h"
#include "platform/messages.h"
#include "platform/profile.h"
#include "platform/system.h"
#include "platform/winuser.h"
#include "recording/ModuleBinding.h"
#include "recording/RecordingControl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <future>
#include <map>
#include <mutex>
#include <regex>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The unit's transducer addresses, by beam slot.
constexpr char TRANSDUCER_ADDRESS_FOR_TEST[] = "34567012";

std::string titleOf(HWND window)
{
    char text[64] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// Takes the GUI thread's events until `reached` holds, for at most `limit` (a loaded machine
// may be slow to get there); whether it holds.
template <typename Condition>
bool waitFor(Condition reached, std::chrono::milliseconds limit = std::chrono::seconds(20))
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!reached() && std::chrono::steady_clock::now() < deadline)
        win::waitProcessingEvents(20);
    return reached();
}

struct LiveModule : ::testing::Test {
    TempDataRoot root;

    void SetUp() override
    {
        win::scripted::listen();
        WriteSurveySettings(root);
        ASSERT_EQ(DBInitialiseDatabase('C'), 1);
    }
    void TearDown() override
    {
        win::setMessageBoxBackend(nullptr);
        win::setDebugListener(nullptr);
        win::scripted::stopListening();
    }
};

// A classification whose class changes from cell to cell, for the survey's time.
struct ChequeredBoxFile {
    BoxFile saved = boxFile;
    ChequeredBoxFile()
    {
        boxFile.e1Min = boxFile.e2Min = 0.0f;
        boxFile.e1Max = boxFile.e2Max = BOX_VOLTS_MAX;
        for (int column = 0; column < BOX_CELLS; ++column)
            for (int row = 0; row < BOX_CELLS; ++row)
                boxFile.grid[column][row] = uint16_t((column * 3 + row) % 29);
    }
    ~ChequeredBoxFile() { boxFile = saved; }
};

// The recording times of a stored track.
std::vector<uint32_t> storedTimes(uint32_t handle)
{
    char path[64];
    std::snprintf(path, sizeof path, "c:\\varnel\\database\\ovl00001\\trk%05u.tim", handle);
    std::vector<uint32_t> times(size_t(std::max<int64_t>(win::fileSize(path), 0) / 4));
    if (FILE* f = win::fopen(path, "rb")) {
        times.resize(std::fread(times.data(), 4, times.size(), f));
        std::fclose(f);
    }
    return times;
}

TEST_F(LiveModule, RecordsAPerTransducerTrackAndStoresItWhenSavingStops)
{
    ChequeredBoxFile classes;
    const auto startedAt = uint32_t(std::time(nullptr));
    Simulator simulator(root);
    const size_t threadsBefore = ThreadCount();
    ASSERT_TRUE(LoadSwathModule(nullptr, "Sonkel32d"));
    ASSERT_GE(BindTrackData(nullptr), 0);
    ASSERT_TRUE(StartSwathModule(nullptr));
    HWND window = hSwath.GetMainWnd();
    ASSERT_TRUE(IsWindow(window));
    // The user-interface and timer threads and the two readers; the auxiliary thread only
    // counted itself in and out.
    waitFor([&] { return ThreadCount() == threadsBefore + 4; });
    EXPECT_EQ(ThreadCount(), threadsBefore + 4);
    // The timer thread titles the window at its first tick, which a loaded machine may delay.
    waitFor([&] { return titleOf(window) == "Sonkel32 - No Nav Input"; });
    EXPECT_EQ(titleOf(window), "Sonkel32 - No Nav Input");

    PollModule(5);
    win::scripted::queueAnswer(IDYES); // "Are you sure you want to turn saving ON?"
    ASSERT_EQ(StartSaving(nullptr), 0);
    EXPECT_EQ(globaltrackstatus.field[TS_SAVING], 1);
    int readings = PollModule(40); // eight seconds of a survey
    EXPECT_GT(readings, 14);
    // Retitled at the timer thread's first tick after a fix was taken.
    waitFor([&] { return titleOf(window) == "Sonkel32"; });
    EXPECT_EQ(titleOf(window), "Sonkel32");

    win::scripted::queueDialog("Turn Saving OFF", {IDYES, {}});
    ASSERT_EQ(StopSaving(nullptr, 0), 0);
    EXPECT_EQ(globaltrackstatus.field[TS_SAVING], 0);

    StopSwathModule(nullptr, 0);
    EXPECT_FALSE(IsWindow(window));
    UnloadSwathModule();
    EXPECT_EQ(ThreadCount(), threadsBefore) << "a module thread outlived the module";

    // One stored track per transducer, with its beam in the beam table, points positioned.
    int64_t entries = win::fileSize("c:\\varnel\\database\\ovl00001\\tracks.inf") / 42;
    std::map<int, int> beams;
    int classified = 0;
    for (uint32_t handle = 2; handle <= uint32_t(entries); ++handle) {
        int transducer = 99;
        ASSERT_EQ(DBGetTrackBeam(handle, &transducer), 0) << handle;
        beams[transducer]++;
        TrackInfo info{};
        info.handle = handle;
        TrackPoint points[TRACK_BLOCK_POINTS];
        TrackBlock block{points, 0, 0};
        ASSERT_EQ(DBReadTrackDataBlock(&info, &block, "database"), 1);
        ASSERT_GT(block.count, 0);
        for (int i = 0; i < block.count; ++i) {
            TrackPoint p = points[i];
            EXPECT_NEAR(p.lat / 1e7, 57.70, 0.05);
            EXPECT_NEAR(p.lon / 1e7, 11.84, 0.05);
            EXPECT_GT(p.depth, 0.0f);
            // Classified by its own echo values.
            TrackPoint expected = p;
            ClassifyReading(&boxFile, &expected);
            EXPECT_EQ(p.colour, expected.colour) << handle << " " << i;
            classified += p.colour != COLOUR_UNCLASSIFIED;
        }
        // A time per point, in recording order, within the survey.
        std::vector<uint32_t> times = storedTimes(handle);
        ASSERT_EQ(times.size(), size_t(block.count)) << handle;
        EXPECT_TRUE(std::is_sorted(times.begin(), times.end())) << handle;
        EXPECT_GE(times.front(), startedAt);
        EXPECT_LE(times.back(), uint32_t(std::time(nullptr)));
    }
    EXPECT_GT(classified, 0) << "no reading fell inside the box file";
    EXPECT_EQ(beams.size(), 7u) << "every transducer recorded";
    for (auto [transducer, count] : beams)
        EXPECT_EQ(count, 1) << transducer;
    // The current track starts empty again.
    EXPECT_LE(win::fileSize("c:\\varnel\\database\\ovl00001\\trk00001.dat"), 0);
}

TEST_F(LiveModule, StoppingWhileSavingStoresThroughTheProgramFirst)
{
    Simulator simulator(root);
    ASSERT_TRUE(LoadSwathModule(nullptr, "Sonkel32d"));
    ASSERT_GE(BindTrackData(nullptr), 0);
    ASSERT_TRUE(StartSwathModule(nullptr));
    win::scripted::queueAnswer(IDYES);
    StartSaving(nullptr);
    ASSERT_GT(PollModule(15), 0);

    // The module window's destruction stops saving, which asks once whether to store.
    win::scripted::queueDialog("Turn Saving OFF", {IDYES, {}});
    StopSwathModule(nullptr, 0);
    UnloadSwathModule();
    auto opened = win::scripted::dialogsOpened();
    EXPECT_EQ(std::count(opened.begin(), opened.end(), "Turn Saving OFF"), 1);
    EXPECT_EQ(globaltrackstatus.field[TS_SAVING], 0);
    EXPECT_GE(win::fileSize("c:\\varnel\\database\\ovl00001\\tracks.inf") / 42, 2) << "a track was stored";
}

TEST_F(LiveModule, StartsFromItsFilesAndScansTheBeamsWithItsPings)
{
    // The unit on a pseudo-terminal of its own, to hear the pings; no GPS, no compass.
    PseudoTerminal unit;
    unit.linkAs(root.root(), 3);
    TempDataRoot::writeFile(root.driveC() / "varnel" / "sp_sound.ini", "1502.5\n");
    TempDataRoot::writeFile(root.windowsDir() / "Swath.ini",
                            "[Swath]\nHpControl=1\nExtControl=1\n"
                            "[Surface]\nAutoPing=1\nScanning=1\nPingInterval_ms=50\n");
    const double speedOfSound = SPEEDOFSOUND;
    win::scripted::queueAnswer(IDYES); // accept ExtControl
    ASSERT_TRUE(LoadSwathModule(nullptr, "Sonkel32d"));
    ASSERT_GE(BindTrackData(nullptr), 0);
    ASSERT_TRUE(StartSwathModule(nullptr));
    const auto listening = std::chrono::steady_clock::now();
    std::string heard = unit.read(std::chrono::milliseconds(2500));
    const auto listened = std::chrono::steady_clock::now() - listening;
    StopSwathModule(nullptr, 0);
    UnloadSwathModule();

    EXPECT_DOUBLE_EQ(SPEEDOFSOUND, 1502.5);
    SPEEDOFSOUND = speedOfSound;
    int asked = 0;
    for (const auto& box : win::scripted::boxes())
        asked += box.text == "HpControl and ExtControl both true. Accept ExtControl?" && box.caption == "Warning";
    EXPECT_EQ(asked, 1);
    // The answer waits for the set-up to be saved; the timer interval is written back.
    EXPECT_EQ(GetPrivateProfileIntA("Swath", "HpControl", 0, "Swath.ini"), 1u);
    EXPECT_EQ(GetPrivateProfileIntA("Windows", "Timerinterval_millisecs", 0, "Swath.ini"), 20u);

    // Each ping: select the transducer, its jam values, arm, ping; scanning steps the beams
    // round -3 to +3, no faster than 200 ms however short the interval asked for.
    static const std::regex ping("a(.)\rj(?:\\d+\r){6}op");
    std::vector<int> transducers;
    for (auto it = std::sregex_iterator(heard.begin(), heard.end(), ping); it != std::sregex_iterator(); ++it) {
        int slot = int(std::string(TRANSDUCER_ADDRESS_FOR_TEST).find((*it)[1].str()[0]));
        transducers.push_back(slot > 3 ? slot - 8 : slot);
    }
    ASSERT_GE(transducers.size(), 3u) << heard;
    EXPECT_LE(transducers.size(), size_t(listened / std::chrono::milliseconds(200)) + 1);
    for (size_t i = 1; i < transducers.size(); ++i)
        EXPECT_EQ(transducers[i], transducers[i - 1] == 3 ? -3 : transducers[i - 1] + 1) << i;
}

TEST_F(LiveModule, AFailedStartEndsAtOnceAndLeavesNoThread)
{
    // A compass device named with a colon opens, but no control block can be built from the
    // name, which fails the start.
    PseudoTerminal compass;
    fs::create_symlink(compass.slaveName(), root.root() / "dosdevices" / "cmp");
    WritePrivateProfileStringA("Compass", "Port", "cmp:", "VARNEL.INI");
    const size_t threadsBefore = ThreadCount();
    ASSERT_TRUE(LoadSwathModule(nullptr, "Sonkel32d"));
    ASSERT_GE(BindTrackData(nullptr), 0);
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(StartSwathModule(nullptr));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10)) << "not the 20 s time-out";
    bool told = false;
    for (const auto& box : win::scripted::boxes())
        told |= box.text == "Failed building cmp: DCB" && box.caption == "BuildCommDCB";
    EXPECT_TRUE(told);
    EXPECT_EQ(ThreadCount(), threadsBefore);
    UnloadSwathModule();
}

TEST_F(LiveModule, SetupDialogOkTakesTheSettingsOverAndSavesThem)
{
    Simulator simulator(root);
    ASSERT_TRUE(LoadSwathModule(nullptr, "Sonkel32d"));
    ASSERT_GE(BindTrackData(nullptr), 0);
    ASSERT_TRUE(StartSwathModule(nullptr));
    HWND window = hSwath.GetMainWnd();

    // "Swath Setup": beam +2 instead of scanning, pinging by hand, a PRI below the minimum.
    constexpr int AUTO = 1002, BEAM_PLUS2 = 1011, PRI = 1019, SWATH_SETUP = 32771;
    win::scripted::queueDialog("Swath Setup", {IDOK, {{AUTO, "0"}, {BEAM_PLUS2, "1"}, {PRI, "150"}}});
    SendMessageA(window, WM_COMMAND, SWATH_SETUP, 0);
    auto value = [](const char* key) {
        char text[32];
        GetPrivateProfileStringA("Surface", key, "", text, sizeof text, "Swath.ini");
        return std::string(text);
    };
    EXPECT_EQ(value("AutoPing"), "0");
    EXPECT_EQ(value("Scanning"), "0");
    EXPECT_EQ(value("PingInterval_ms"), "200");

    // Without automatic pings nothing new arrives from the unit.
    PollModule(3);
    EXPECT_EQ(PollModule(5), 0);

    // The raw-data display alone is a change too.
    constexpr int SHOW_RAW_DATA = 1017;
    win::scripted::queueDialog("Swath Setup", {IDOK, {{SHOW_RAW_DATA, "1"}}});
    SendMessageA(window, WM_COMMAND, SWATH_SETUP, 0);
    EXPECT_EQ(value("ShowRawData"), "1");
    EXPECT_EQ(value("AutoPing"), "0");
    StopSwathModule(nullptr, 0);
    UnloadSwathModule();
}

// The instruments on pseudo-terminals of the test's own, so that one can be pulled out.
struct UnpluggableInstruments {
    PseudoTerminal gps, compass, unit;
    explicit UnpluggableInstruments(const TempDataRoot& root)
    {
        gps.linkAs(root.root(), 1);
        compass.linkAs(root.root(), 2);
        unit.linkAs(root.root(), 3);
    }
};

// Boxes answered at once, noting what they said and whether the GUI thread showed them.
struct BoxesNotingTheirThread : win::MessageBoxBackend {
    std::mutex mutex;
    std::vector<std::pair<std::string, bool>> shown; // "caption: text", on the GUI thread
    int show(HWND, const std::string& text, const std::string& caption, UINT type) override
    {
        std::lock_guard lock(mutex);
        shown.emplace_back(caption + ": " + text, win::isGuiThread());
        return win::firstButton(type);
    }
    void beep(UINT) override {}
    size_t count()
    {
        std::lock_guard lock(mutex);
        return shown.size();
    }
};

TEST_F(LiveModule, ADeviceLostWhileRunningIsReportedByTheWindowsThread)
{
    UnpluggableInstruments instruments(root);
    ASSERT_TRUE(LoadSwathModule(nullptr, "Sonkel32d"));
    ASSERT_GE(BindTrackData(nullptr), 0);
    ASSERT_TRUE(StartSwathModule(nullptr));
    auto boxes = std::make_shared<BoxesNotingTheirThread>();
    win::setMessageBoxBackend(boxes);

    instruments.gps.closeMaster();
    waitFor([&] { return boxes->count() > 0; });
    StopSwathModule(nullptr, 0);
    UnloadSwathModule();

    ASSERT_EQ(boxes->count(), 1u);
    EXPECT_EQ(boxes->shown[0].first, "Serial Port: Lost COM1 for Nav Input: the device has gone away");
    EXPECT_TRUE(boxes->shown[0].second) << "shown by the reader thread, which then waits for the user";
}

// Boxes as the Qt backend shows them: on the GUI thread, the asking thread waiting for it.
struct QtBoxesCounted : win::MessageBoxBackend {
    std::shared_ptr<win::MessageBoxBackend> qt = win::qtMessageBoxBackend();
    std::atomic<int> asked{0};
    int show(HWND owner, const std::string& text, const std::string& caption, UINT type) override
    {
        ++asked;
        return qt->show(owner, text, caption, type);
    }
    void beep(UINT type) override { qt->beep(type); }
};

TEST_F(LiveModule, ADeviceLostAsTheModuleStopsDoesNotHoldUpTheStop)
{
    UnpluggableInstruments instruments(root);
    struct Texts {
        std::mutex mutex;
        std::vector<std::string> texts;
    };
    auto traces = std::make_shared<Texts>();
    win::setDebugListener([traces](const std::string& text) {
        std::lock_guard lock(traces->mutex);
        traces->texts.push_back(text);
    });
    const size_t threadsBefore = ThreadCount();
    ASSERT_TRUE(LoadSwathModule(nullptr, "Sonkel32d"));
    ASSERT_GE(BindTrackData(nullptr), 0);
    ASSERT_TRUE(StartSwathModule(nullptr));
    ASSERT_TRUE(waitFor([&] { return ThreadCount() == threadsBefore + 4; }));
    auto boxes = std::make_shared<QtBoxesCounted>();
    win::setMessageBoxBackend(boxes);

    // The GPS goes while the GUI thread is busy: it takes no events until it stops the module.
    instruments.gps.closeMaster();
    for (int waited = 0; waited < 10000 && boxes->asked == 0 && ThreadCount() != threadsBefore + 3; waited += 20)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(boxes->asked > 0 || ThreadCount() == threadsBefore + 3) << "the loss was not noticed";

    std::promise<void> stopped;
    std::thread watchdog([done = stopped.get_future()] {
        if (done.wait_for(std::chrono::seconds(30)) == std::future_status::ready)
            return;
        std::fprintf(stderr, "StopSwath hangs: the links wait for the reader, the reader for the GUI thread\n");
        std::abort();
    });
    StopSwathModule(nullptr, 0);
    stopped.set_value();
    watchdog.join();
    UnloadSwathModule();

    // The port is closed anyway: the report is not shown, only written to the debugger channel.
    EXPECT_EQ(boxes->asked, 0);
    std::lock_guard lock(traces->mutex);
    EXPECT_EQ(std::count(traces->texts.begin(), traces->texts.end(),
                         "Lost COM1 for Nav Input: the device has gone away (not shown: the links were closing)\n"),
              1)
        << ::testing::PrintToString(traces->texts);
    EXPECT_EQ(ThreadCount(), threadsBefore);
}

} // namespace
