// The running module: its state, its threads and its window. One instance per process.
#pragma once

#include "acquisition/ModuleSettings.h"
#include "platform/windef.h"
#include "records/TrackRecords.h"

#include <atomic>
#include <cstdint>
#include <mutex>

extern "C" {
int32_t StartSwath(HWND owner);
int32_t StopSwath();
HWND GetMainWnd();
}

struct ModuleState {
    HWND owner = nullptr;
    std::atomic<HWND> window{nullptr};
    std::atomic<int> runningThreads{0};
    std::atomic<bool> fStarted{false};
    std::atomic<bool> fStartFailed{false};
    std::atomic<DWORD> uiThreadId{0}; // its message queue receives the quit

    // Guards the settings and the reading below against the timer thread.
    std::mutex mutex;
    UnitSettings unit;
    SurfaceSettings surface;
    std::atomic<bool> autoPing{false}; // the timer thread's view of surface.AutoPing
    SwathReading reading{};            // its transducer is the one every ping addresses
    int timerIntervalMs = 20;
    int32_t showState = 1;
};
extern ModuleState swathModule;

constexpr char MODULE_TITLE[] = "Sonkel32";
constexpr char MODULE_CLASS[] = "SONKEL32";
constexpr int IDM_ABOUT = 104;
constexpr int IDM_EXIT = 105;
constexpr int IDM_SWATH_SETUP = 32771;

// Fires one ping at the current transducer as the set-up dialog's "Ping" does.
void PingCurrentTransducer(bool alternate);
// Marks a ping in the raw-data texts and repaints the module window.
void MarkPing(int transducer);
// Sends the unit settings the advanced dialog changed and takes them over.
void ApplyAdvancedSettings(const UnitSettings& unit);
// True in the live module, which talks to a swath unit; false in the replay module.
extern const bool MODULE_HAS_UNIT;
// The module's links to its instruments, opened with its window and closed with it: the serial
// ports in the live module, the replay files in the replay module. Non-zero when the module
// cannot run.
int OpenModuleLinks(HWND window);
void CloseModuleLinks(HWND window);
// Ends the module's user-interface thread with this code.
void PostModuleQuit(int code);
