// The acquisition module as the main program sees it: loaded by name, its hand-off functions
// and option flags bound by name, started and stopped with the chart window.
#pragma once

#include "platform/windef.h"
#include "records/TrackRecords.h"

#include <atomic>
#include <cstdint>
#include <string>

using StartSwathFn = int32_t (*)(HWND owner);
using StopSwathFn = int32_t (*)();
using GetMainWndFn = HWND (*)();
using GetTrackDataFn = uint32_t (*)(SwathReading* reading);
using GetTrackHeadingFn = float (*)();
using GetTrackUpdateFn = uint32_t (*)();
using GetTrackKnotsFn = float (*)();
using OutputDataFn = int32_t (*)(HWND window, SwathReading* reading);

// Bound entry points; each is null until bound and after unbinding.
struct SwathModule {
    HMODULE handle = nullptr;
    std::string name; // as loaded, for the captions of binding messages
    StartSwathFn StartSwath = nullptr;
    StopSwathFn StopSwath = nullptr;
    GetMainWndFn GetMainWnd = nullptr;
    OutputDataFn OutputData = nullptr;
    GetTrackDataFn GetTrackData = nullptr;
    GetTrackHeadingFn GetTrackHeading = nullptr;
    GetTrackUpdateFn GetTrackHeadingUpdate = nullptr;
    GetTrackKnotsFn GetTrackKnots = nullptr;
    GetTrackUpdateFn GetTrackKnotsUpdate = nullptr;
    // The replay module's option flags: set here, read by the module's own threads.
    std::atomic<int32_t>* pfStopReplayAtEOF = nullptr;
    std::atomic<int32_t>* pfEraseOnRepeat = nullptr;
};
extern SwathModule hSwath;

// Per-beam calibration the replay module applies, from "REPLAY.INI".
extern "C" {
extern float arE1Multiplier[BEAM_SLOTS];
extern float arE2Multiplier[BEAM_SLOTS];
extern float arE1Constant[BEAM_SLOTS];
extern float arE2Constant[BEAM_SLOTS];
}

// Loads the module by name; on failure shows the "Failed to load" message for its error code.
bool LoadSwathModule(HWND owner, const char* name);
// Binds the hand-off functions and flags. Returns the NMEA-sentence settings result, or -1 when
// GetTrackData is missing (the caller then unloads the module).
int32_t BindTrackData(HWND window);
void LoadReplayCalibration();
// Unbinds everything and unloads the module.
void UnloadSwathModule();

// The chart window's part: StartSwath at its creation (false when the module did not start),
// StopSwath and the store of a track still being recorded at its destruction.
bool StartSwathModule(HWND chartWindow);
void StopSwathModule(HWND chartWindow, int32_t showPingsOnly);
