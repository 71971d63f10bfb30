// Starting and stopping the acquisition module: its user-interface and timer threads, the settings
// read at start, the timed pings under external control, and the threads ended and the ports
// closed even when the module is unloaded without a stop.
#include "acquisition/Module.h"

#include "ModuleWindow.h"
#include "acquisition/HandOff.h"
#include "acquisition/JamTable.h"
#include "acquisition/Navigation.h"
#include "acquisition/PortLoss.h"
#include "acquisition/RawDataText.h"
#include "acquisition/SounderLink.h"
#include "database/CurrentTrack.h"
#include "frame/Inifile.h"
#include "platform/files.h"
#include "platform/gui.h"
#include "platform/messages.h"
#include "platform/profile.h"
#include "platform/system.h"
#include "platform/winuser.h"
#include "recording/VesselState.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

ModuleState swathModule;

namespace {

using namespace std::chrono_literals;

std::mutex threadsMutex;
std::vector<std::thread> threads;

// Counts a module thread in for its lifetime.
struct ThreadCount {
    ThreadCount() { ++swathModule.runningThreads; }
    ~ThreadCount() { --swathModule.runningThreads; }
};

// False when the system could not create the thread.
bool startThread(void (*body)())
{
    std::lock_guard lock(threadsMutex);
    try {
        threads.emplace_back(body);
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void joinThreads()
{
    std::vector<std::thread> ended;
    {
        std::lock_guard lock(threadsMutex);
        ended.swap(threads);
    }
    for (auto& t : ended)
        if (t.joinable() && t.get_id() != std::this_thread::get_id())
            t.join();
}

// A one-value file of the program folder: read when present; a failure says so.
template <typename T>
void readOneValue(const char* path, const char* format, T& value, const char* openFailed,
                  const char* readFailed)
{
    if (win::access(path, 0) != 0)
        return;
    FILE* f = win::fopen(path, "rb");
    if (!f) {
        MessageBoxA(nullptr, openFailed, "", MB_ICONHAND);
        return;
    }
    T read;
    if (std::fscanf(f, format, &read) == 1)
        value = read;
    else
        MessageBoxA(nullptr, readFailed, "", MB_ICONHAND);
    std::fclose(f);
}

bool initialise()
{
    {
        std::lock_guard lock(swathModule.mutex);
        swathModule.reading.lat = NO_POSITION_LAT;
        swathModule.reading.lon = NO_POSITION_LONG;
    }
    lastFixLatitude = NO_POSITION_LAT;
    globaltrackstatus.field[TS_SAVE_RATE] = 0;
    readOneValue("c:\\varnel\\sp_sound.ini", "%lf", SPEEDOFSOUND, "Failed opening speed of sound correction file",
                 "Failed reading speed of sound correction file");
    readOneValue("c:\\varnel\\freq.ini", "%ld", nUnitClockFrequency, "Failed opening frequency file",
                 "Failed reading frequency file");

    int interval = int(GetPrivateProfileIntA("Windows", "Timerinterval_millisecs", 20, SWATH_INI));
    WritePrivateProfileStringA("Windows", "Timerinterval_millisecs", std::to_string(interval).c_str(), SWATH_INI);
    UnitSettings unit;
    LoadUnitSettings(unit);
    if (unit.HpControl && unit.ExtControl) {
        if (MessageBoxA(nullptr, "HpControl and ExtControl both true. Accept ExtControl?", "Warning",
                        MB_YESNO | MB_ICONEXCLAMATION) == IDYES)
            unit.HpControl = 0;
        else
            unit.ExtControl = 0;
    }
    SurfaceSettings surface;
    LoadSurfaceSettings(surface);
    {
        std::lock_guard lock(swathModule.mutex);
        swathModule.timerIntervalMs = interval > 0 ? interval : 20;
        swathModule.unit = unit;
        swathModule.surface = surface;
    }
    swathModule.autoPing = surface.AutoPing != 0;

    ResetRawDataText(gpsRawText, "GPS Raw Data");
    ResetRawDataText(sounderRawText, "Raw Sedrix Data");
    ResetRawDataText(combinedRawText, "GPS and Sedrix Data");
    onRawDataChanged = [] {
        if (HWND window = swathModule.window)
            InvalidateRect(window, nullptr, FALSE);
    };
    LoadAllJams(jamTable, JAM_ENTRIES);
    // A lost port is reported by the window's thread: the reader that noticed must not wait
    // for the user, as closing the links waits for the reader.
    onPortLossReported = [] {
        if (HWND window = swathModule.window)
            PostMessageA(window, WM_PORT_LOST, 0, 0);
    };

    RECT rect;
    LoadPosition(&rect, MODULE_CLASS);
    HWND window = CreateModuleWindow(swathModule.owner, rect, swathModule.showState);
    swathModule.window = window;
    return window != nullptr;
}

void auxiliaryThread() { ThreadCount counted; }

void timerTick(long& pingClock, std::string& shownTitle)
{
    OpenSaveRateGate();
    SurfaceSettings surface;
    UnitSettings unit;
    {
        std::lock_guard lock(swathModule.mutex);
        surface = swathModule.surface;
        unit = swathModule.unit;
    }
    const long now = win::clockMs();
    if (unit.ExtControl && swathModule.autoPing) {
        const long interval = long(surface.pingInterval * 1000);
        // At most one ping is ever owed: a stalled tick does not cause a burst.
        if (interval > 0)
            while (now - pingClock >= interval)
                pingClock += interval;
        if (pingClock <= now) {
            int transducer;
            JamEntry jams[JAM_ENTRIES]; // the jam dialog may be changing the table
            {
                std::lock_guard lock(swathModule.mutex);
                if (swathModule.surface.Scanning) {
                    int t = swathModule.reading.transducer; // a packed field: by value
                    swathModule.reading.transducer = (t >= 3 || t < -3) ? -3 : t + 1;
                }
                transducer = swathModule.reading.transducer;
                swathModule.surface.PingTime = int32_t(pingClock);
                std::copy(std::begin(jamTable), std::end(jamTable), jams);
            }
            pingClock += interval;
            SounderPurge(PURGE_RXCLEAR);
            SelectTransducer(transducer);
            SendJamValues(jams, transducer);
            ArmTransducer();
            Ping();
            MarkPing(transducer);
        }
    }
    // Without a fix taken yet the title says so; it is set only when that changes.
    std::string title = lastFixLatitude == NO_POSITION_LAT ? std::string(MODULE_TITLE) + " - No Nav Input" : MODULE_TITLE;
    HWND window = swathModule.window;
    if (window && title != shownTitle) {
        SetWindowTextA(window, title.c_str());
        shownTitle = title;
    }
}

void timerThread()
{
    ThreadCount counted;
    long pingClock = win::clockMs();
    std::string shownTitle = MODULE_TITLE; // as the window is created
    while (swathModule.window) {
        timerTick(pingClock, shownTitle);
        int interval;
        {
            std::lock_guard lock(swathModule.mutex);
            interval = swathModule.timerIntervalMs;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(interval));
    }
}

void userInterfaceThread()
{
    ThreadCount counted;
    swathModule.uiThreadId = win::openThreadQueue();
    LoadStatus(&swathModule.showState, MODULE_CLASS);
    if (!initialise()) {
        swathModule.fStarted = false;
        swathModule.fStartFailed = true;
        return;
    }
    if (!startThread(timerThread) || !startThread(auxiliaryThread)) {
        swathModule.fStartFailed = true;
        return;
    }
    swathModule.fStarted = true;
    // The window lives on the GUI thread; this thread only waits for its quit.
    MSG msg{};
    while (!win::waitThreadMessage(&msg, 1000) || msg.message != WM_QUIT) {
    }
}

// Waits without starving the GUI thread, which may have to create or destroy our window.
void pause(DWORD ms)
{
    if (win::isGuiThread())
        win::waitProcessingEvents(ms);
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

} // namespace

void PostModuleQuit(int code)
{
    PostThreadMessageA(swathModule.uiThreadId, WM_QUIT, WPARAM(code), 0);
}

void MarkPing(int transducer)
{
    char mark[16];
    std::snprintf(mark, sizeof mark, "ping(%+d)", transducer);
    AppendRawDataLine(combinedRawText, mark);
    AppendRawDataLine(sounderRawText, mark);
    NotifyRawDataChanged();
}

void PingCurrentTransducer(bool alternate)
{
    int transducer;
    {
        std::lock_guard lock(swathModule.mutex);
        transducer = swathModule.reading.transducer;
    }
    SounderPurge(PURGE_RXCLEAR);
    SelectTransducer(transducer);
    ArmTransducer();
    SendJamValues(jamTable, transducer);
    if (alternate)
        PingAlternate();
    else
        Ping();
    MarkPing(transducer);
}

void ApplyAdvancedSettings(const UnitSettings& unit)
{
    SetExtControl(unit.ExtControl);
    SetPldDigitalBoard(unit.PldDigitalBoard);
    SetHpControl(unit.HpControl);
    SetPri(unit.Pri_ms);
    SetTxPulseWidth(unit.TxPulseWidth_us);
    std::lock_guard lock(swathModule.mutex);
    swathModule.unit = unit;
}

int32_t StartSwath(HWND owner)
{
    ResetAcquisitionState();
    swathModule.owner = owner;
    swathModule.fStarted = false;
    swathModule.fStartFailed = false;
    if (!startThread(userInterfaceThread))
        return 0;
    for (int i = 0; i < 200 && !swathModule.fStarted && !swathModule.fStartFailed; ++i)
        pause(100);
    // A failed start has ended its user-interface thread: take it back.
    if (swathModule.fStartFailed)
        joinThreads();
    return swathModule.fStarted ? 1 : 0;
}

int32_t StopSwath()
{
    if (HWND window = swathModule.window)
        DestroyModuleWindow(window);
    swathModule.window = nullptr;
    while (swathModule.runningThreads > 1 && !swathModule.fStartFailed)
        pause(200);
    long deadline = win::clockMs() + 2000;
    while (swathModule.runningThreads > 0) {
        pause(200);
        if (swathModule.fStartFailed)
            break;
        if (win::clockMs() > deadline) {
            PostModuleQuit(-1);
            deadline = win::clockMs() + 20000;
        }
    }
    joinThreads();
    swathModule.fStarted = false;
    return 0;
}

HWND GetMainWnd() { return swathModule.window; }

namespace {
// Unloading a module that was never stopped still ends its threads and closes its ports.
struct UnloadGuard {
    ~UnloadGuard()
    {
        const bool running = swathModule.runningThreads > 0;
        if (running) {
            swathModule.window = nullptr;
            PostModuleQuit(0);
        }
        // Also the threads that ended on their own, as after a failed start.
        joinThreads();
        if (running)
            CloseModuleLinks(nullptr);
    }
} unloadGuard;
} // namespace
