#include "recording/ModuleBinding.h"
#include "recording/RecordingControl.h"

#include "database/CurrentTrack.h"
#include "frame/Inifile.h"
#include "platform/messages.h"
#include "platform/modules.h"
#include "platform/profile.h"

#include <cstdio>
#include <cstdlib>
#include <string>

SwathModule hSwath;

float arE1Multiplier[BEAM_SLOTS] = {1, 1, 1, 1, 1, 1, 1, 1};
float arE2Multiplier[BEAM_SLOTS] = {1, 1, 1, 1, 1, 1, 1, 1};
float arE1Constant[BEAM_SLOTS] = {};
float arE2Constant[BEAM_SLOTS] = {};

namespace {

// "<what> not found in <where>", with the ending the error code calls for.
std::string notFound(const std::string& what, const char* where, DWORD error)
{
    std::string text = what + " not found in " + where;
    if (error == ERROR_INVALID_HANDLE)
        text += ": invalid DLL handle";
    else if (error == ERROR_MOD_NOT_FOUND)
        text += ": module not found";
    return text;
}

template <typename Fn>
Fn lookUp(const char* name)
{
    return reinterpret_cast<Fn>(GetProcAddress(hSwath.handle, name));
}

// A missing function of the chart window's start and stop: box without caption.
template <typename Fn>
Fn lookUpOrSay(HWND owner, const char* name, UINT icon)
{
    Fn fn = lookUp<Fn>(name);
    if (!fn) {
        DWORD error = GetLastError();
        MessageBeep(icon);
        std::string text = notFound(std::string("Function ") + name + "()", "sonkel32d DLL", error);
        MessageBoxA(owner, text.c_str(), nullptr, icon);
    }
    return fn;
}

// A missing entry point of the binding: warning box captioned with the module's name.
void warnMissing(HWND window, const std::string& what)
{
    DWORD error = GetLastError();
    MessageBeep(MB_ICONEXCLAMATION);
    std::string text = notFound(what, "above DLL", error);
    MessageBoxA(window, text.c_str(), hSwath.name.c_str(), MB_ICONEXCLAMATION);
}

} // namespace

bool LoadSwathModule(HWND owner, const char* name)
{
    hSwath = SwathModule{};
    hSwath.handle = LoadLibraryA(name);
    if (hSwath.handle) {
        hSwath.name = name;
        return true;
    }
    DWORD error = GetLastError();
    MessageBeep(MB_ICONHAND);
    std::string text = std::string("Failed to load ") + name + " DLL";
    if (error == ERROR_MOD_NOT_FOUND)
        text += ": The specified module could not be found.";
    else if (error == ERROR_DLL_NOT_FOUND)
        text += ": One of the library files needed to run this application cannot be found.";
    MessageBoxA(owner, text.c_str(), nullptr, MB_ICONHAND);
    SetLastError(0);
    return false;
}

int32_t BindTrackData(HWND window)
{
    int32_t gll = 0, gga = 1, vtg = 1;
    int32_t missing = LoadNmeaSentences(&gll, &gga, &vtg);
    if (missing)
        SaveNmeaSentences(gll, gga, vtg);

    hSwath.GetTrackData = lookUp<GetTrackDataFn>("GetTrackData");
    if (!hSwath.GetTrackData) {
        DWORD error = GetLastError();
        MessageBeep(MB_ICONHAND);
        std::string text = notFound("Function GetTrackData()", "above DLL", error);
        MessageBoxA(window, text.c_str(), hSwath.name.c_str(), MB_ICONHAND);
        return -1;
    }
    if (!(hSwath.GetTrackHeading = lookUp<GetTrackHeadingFn>("GetTrackHeading")))
        warnMissing(window, "Function GetTrackHeading()");
    if (!(hSwath.GetTrackHeadingUpdate = lookUp<GetTrackUpdateFn>("GetTrackHeadingUpdate")))
        warnMissing(window, "Function GetTrackHeadingUpdate()");
    if (!(hSwath.GetTrackKnots = lookUp<GetTrackKnotsFn>("GetTrackKnots")))
        warnMissing(window, "Function GetTrackKnots()");
    if (!(hSwath.GetTrackKnotsUpdate = lookUp<GetTrackUpdateFn>("GetTrackKnotsUpdate")))
        warnMissing(window, "Function GetTrackKnotsUpdate()");
    if (!(hSwath.pfStopReplayAtEOF = lookUp<std::atomic<int32_t>*>("fStopReplayAtEOF")))
        warnMissing(window, "Variable pfStopReplayAtEOF");
    if (!(hSwath.pfEraseOnRepeat = lookUp<std::atomic<int32_t>*>("fEraseOnRepeat")))
        warnMissing(window, "Variable pfEraseOnRepeat");

    LoadReplayCalibration();
    return missing;
}

void LoadReplayCalibration()
{
    static const char* const sections[BEAM_SLOTS] = {"REPLAYBeam+0", "REPLAYBeam+1", "REPLAYBeam+2",
                                                     "REPLAYBeam+3", nullptr,        "REPLAYBeam-3",
                                                     "REPLAYBeam-2", "REPLAYBeam-1"};
    struct Key {
        const char* name;
        float* values;
    } keys[] = {{"E1 Multiplier", arE1Multiplier},
                {"E1 Constant", arE1Constant},
                {"E2 Multiplier", arE2Multiplier},
                {"E2 Constant", arE2Constant}};
    for (int slot = 0; slot < BEAM_SLOTS; ++slot) {
        if (!sections[slot])
            continue;
        for (const Key& key : keys) {
            char text[64];
            if (GetPrivateProfileStringA(sections[slot], key.name, "", text, sizeof text, "REPLAY.INI") > 0)
                key.values[slot] = float(std::atof(text));
        }
    }
}

void UnloadSwathModule()
{
    if (hSwath.handle)
        FreeLibrary(hSwath.handle);
    hSwath = SwathModule{};
}

bool StartSwathModule(HWND chartWindow)
{
    hSwath.StartSwath = lookUpOrSay<StartSwathFn>(chartWindow, "StartSwath", MB_ICONHAND);
    if (!hSwath.StartSwath || !hSwath.StartSwath(nullptr))
        return false;
    hSwath.GetMainWnd = lookUpOrSay<GetMainWndFn>(chartWindow, "GetMainWnd", MB_ICONHAND);
    hSwath.OutputData = lookUpOrSay<OutputDataFn>(chartWindow, "OutputData", MB_ICONEXCLAMATION);
    return true;
}

void StopSwathModule(HWND chartWindow, int32_t showPingsOnly)
{
    WriteVarnelProfileString("SONKEL32", "ShowPingsOnly", showPingsOnly ? "1" : "0");
    if (auto stop = lookUpOrSay<StopSwathFn>(chartWindow, "StopSwath", MB_ICONHAND)) {
        // The option flags stay bound until the module is unloaded: its replay thread reads
        // them (through ReplayJump) until StopSwath has ended it.
        hSwath.StartSwath = nullptr;
        hSwath.StopSwath = nullptr;
        hSwath.GetMainWnd = nullptr;
        hSwath.OutputData = nullptr;
        hSwath.GetTrackData = nullptr;
        hSwath.GetTrackHeading = nullptr;
        hSwath.GetTrackHeadingUpdate = nullptr;
        hSwath.GetTrackKnots = nullptr;
        hSwath.GetTrackKnotsUpdate = nullptr;
        stop();
    }
    if (!globaltrackstatus.field[TS_SAVING])
        return;
    char* otherDatabase = nullptr;
    int32_t answer = DoDialogSaveTrack(&otherDatabase);
    bool store = answer == IDOK || answer == IDYES;
    // Cancel, or a store that failed, leaves saving on: the next start-up recovers the track.
    if ((store && StoreCurrentTrack(otherDatabase)) || answer == IDNO) {
        globaltrackstatus.field[TS_SAVING] = 0;
        DBSaveTrackStatus(&globaltrackstatus);
    }
}
