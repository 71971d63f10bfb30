// Switching saving on and off, and storing the current track when it goes off. The module asks
// for these through the exported functions; the toolbar's saving button sends the switch.
#pragma once

#include "platform/windef.h"
#include "records/TrackRecords.h"

#include <cstdint>

// Saving sets savingjuststarted (VesselState.h); the module clears it at the first reading.
extern "C" {
int32_t StartSaving(HWND window);
// 1 when the user cancelled, else 0.
int32_t StopSaving(HWND window, int32_t ask);
// 6 store, 7 do not store, 2 cancel, 0 for a null address. *databaseName is the folder of
// another database chosen with "Another Database", or null for the active one.
int32_t DoDialogSaveTrack(char** databaseName);
int32_t AutoSaveIndicate(int32_t state);
}

// The saving switch, delivered as this message with (0, 7); bit 0 of wParam: do not ask.
constexpr UINT WM_SAVING_SWITCH = WM_USER + 50;
constexpr UINT WM_TOOLBAR_CHECK = WM_USER + 1; // (command id, checked)
constexpr UINT BM_SETSTATE = 0x00F3;
constexpr int IDM_SAVING = 40003;
constexpr int IDC_ANOTHER_DATABASE = 4301;
constexpr int IDC_SAVE_DATABASE_FOLDER = 4302;
constexpr int IDC_SAVE_DATABASE_NAME = 4303;

// Windows that show the saving state; null until the windows that own them exist.
extern HWND hwndOverlay;
extern HWND hwndSedrixToolbar;
extern HWND hwndTrackOptionsSaveButton;

LRESULT SavingSwitch(HWND window, WPARAM wParam, LPARAM lParam);
// Stores the current track into the active database, or into the database folder given; sets
// the past-track handle. False when the store failed.
bool StoreCurrentTrack(const char* otherDatabaseFolder);
// One chart-timer poll of the module: the newest reading goes into the slot's entry of
// lastSlotPoints (marked fresh until drawn). Returns the flags GetTrackData returned.
uint32_t PollTrackData(HWND window, SwathReading* reading);
extern bool lastSlotFresh[BEAM_SLOTS];
