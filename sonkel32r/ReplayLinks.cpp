// The replay module's links: instead of the serial ports, the replay files that replaymake
// writes (line i of the GPS file belongs with line i of the sounder file), fed one record per
// replay interval through the same framers the reader threads use, so that GetTrackData hands
// them off unchanged. The main program's replay controls drive the feeder through its flags.
#include "acquisition/HandOff.h"
#include "acquisition/Module.h"
#include "acquisition/Navigation.h"
#include "acquisition/SounderLink.h"
#include "platform/files.h"
#include "records/TrackStoreFiles.h"
#include "platform/messages.h"
#include "recording/ModuleBinding.h"
#include "replay/ReplayFlags.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

extern "C" {
// Set by the program's replay options, read by the feeder thread.
ReplayFlag fStopReplayAtEOF{0};
ReplayFlag fEraseOnRepeat{0};
int32_t GoToHome();
int32_t GoToEnd();
int32_t GetCounter();
}

extern const bool MODULE_HAS_UNIT = false;

namespace {

using namespace std::chrono_literals;

// Records per interval when winding fast.
constexpr int FAST_RECORDS = 10;

std::vector<std::string> navLines, sounderLines;
// The record fed next going forward; going backward the one before it is fed next.
std::atomic<int32_t> position{0};
std::atomic<int32_t> recordCount{0};

std::mutex runMutex;
std::condition_variable runChanged;
bool feeding = false;
std::thread feeder;

bool sleepWhileFeeding(std::chrono::milliseconds period)
{
    std::unique_lock lock(runMutex);
    return !runChanged.wait_for(lock, period, [] { return !feeding; });
}

// Each line keeps its CR LF: the framers see exactly the bytes the instruments would send.
bool readLines(const char* name, std::vector<std::string>& lines)
{
    lines.clear();
    FILE* file = win::fopen(name, "rb");
    if (!file)
        return false;
    std::string line;
    for (int c; (c = std::fgetc(file)) != EOF;) {
        line += char(c);
        if (c == '\n') {
            lines.push_back(std::move(line));
            line.clear();
        }
    }
    if (!line.empty())
        lines.push_back(std::move(line));
    std::fclose(file);
    return true;
}

// The navigation reader's pass over one record's bytes. A fix is left pending for the hand-off.
void feedNav(const std::string& bytes)
{
    NavFramer& f = navFramer;
    f.fNavThreadActive = true;
    size_t length = std::min(bytes.size(), size_t(NAV_RECEIVE_SIZE));
    std::memcpy(f.receive, bytes.data(), length);
    f.readPos = 0;
    f.unread = int(length);
    while (f.unread > 0 && !f.fSentencePending)
        FrameNavBytes(f);
    f.unread = 0;
    f.fNavThreadActive = false;
}

// The sounder reader's pass over one record's bytes, kept apart from the hand-off and the
// purge by the framer's busy flag as the reader thread is. False when the pass had to give way.
bool feedSounder(const std::string& bytes)
{
    SounderFramer& f = sounderFramer;
    f.fFramerBusy = true;
    if (f.fPurging || f.fHandOffBusy) {
        f.fFramerBusy = false;
        return false;
    }
    size_t length = std::min(bytes.size(), size_t(SOUNDER_RECEIVE_SIZE));
    std::memcpy(f.receive, bytes.data(), length);
    f.readPos = 0;
    f.unread = int(length);
    while (f.unread > 0)
        FrameSounderBytes(f);
    f.fFramerBusy = false;
    return true;
}

// Every record reaches the program: the next one waits until the hand-off took the last.
bool waitForHandOff()
{
    while (navFramer.fSentencePending || sounderFramer.fReadingReady)
        if (!sleepWhileFeeding(5ms))
            return false;
    return true;
}

bool feedRecord(int32_t index)
{
    if (!waitForHandOff())
        return false;
    feedNav(navLines[size_t(index)]);
    while (!feedSounder(sounderLines[size_t(index)]))
        if (!sleepWhileFeeding(1ms))
            return false;
    return true;
}

// One record in the direction of play; at either end the replay wraps round and the program
// hears of the jump (which stops the replay when it is to stop at the end).
bool stepRecord(bool backward)
{
    int32_t count = recordCount;
    int32_t at = position;
    if (!backward && at >= count) {
        position = 0;
        ReplayJump(0);
        return true;
    }
    if (backward && at <= 0) {
        position = count;
        ReplayJump(0);
        return true;
    }
    int32_t index = backward ? at - 1 : at;
    if (!feedRecord(index))
        return false;
    // A jump made meanwhile by the program wins over this step.
    position.compare_exchange_strong(at, backward ? index : index + 1);
    return true;
}

void feed()
{
    for (;;) {
        int32_t interval = std::max(ctReplayInterval.load(), 0);
        if (!sleepWhileFeeding(std::chrono::milliseconds(interval)))
            return;
        if (recordCount == 0 || bStop)
            continue;
        if (bPause && bStep.exchange(0) == 0)
            continue;
        bool fast = !bPause && (bFast || bRewind);
        bool backward = bReverse || bRewind;
        for (int i = 0; i < (fast ? FAST_RECORDS : 1) && !bStop; ++i)
            if (!stepRecord(backward))
                return;
        // At the interval 0 a stopped or paused replay must not spin.
        if (interval == 0 && (bStop || bPause) && !sleepWhileFeeding(5ms))
            return;
    }
}

// The program's per-beam calibration ("REPLAY.INI") applied to the replayed echo values.
void calibrate(SwathReading* reading)
{
    const int slot = BeamSlot(reading->transducer);
    reading->e1 = reading->e1 * arE1Multiplier[slot] + arE1Constant[slot];
    reading->e2 = reading->e2 * arE2Multiplier[slot] + arE2Constant[slot];
}

void missingFileBox(HWND window, const char* name)
{
    char text[200];
    std::snprintf(text, sizeof text, "Failed opening replay file %s: nothing to replay", name);
    MessageBeep(MB_ICONHAND);
    MessageBoxA(window, text, MODULE_TITLE, MB_ICONHAND);
}

} // namespace

int32_t GoToHome()
{
    position = 0;
    return 0;
}

int32_t GoToEnd()
{
    position = recordCount.load();
    return 0;
}

int32_t GetCounter() { return position; }

// Without its files the module still runs; it has nothing to replay.
int OpenModuleLinks(HWND window)
{
    bool complete = true;
    for (auto [name, lines] : {std::pair{REPLAY_NAV_FILE, &navLines}, std::pair{REPLAY_SOUNDER_FILE, &sounderLines}})
        if (!readLines(name, *lines)) {
            missingFileBox(window, name);
            complete = false;
        }
    recordCount = complete ? int32_t(std::min(navLines.size(), sounderLines.size())) : 0;
    position = 0;
    ResetNavFramer(navFramer);
    ResetSounderFramer(sounderFramer);
    adjustTakenReading = calibrate;
    {
        std::lock_guard lock(runMutex);
        feeding = true;
    }
    if (!feeder.joinable())
        feeder = std::thread(feed);
    return 0;
}

void CloseModuleLinks(HWND)
{
    {
        std::lock_guard lock(runMutex);
        feeding = false;
    }
    runChanged.notify_all();
    if (feeder.joinable() && feeder.get_id() != std::this_thread::get_id())
        feeder.join();
}
