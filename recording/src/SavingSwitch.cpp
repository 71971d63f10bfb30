// The saving switch: turning saving on, and off with the store of the current track (into the
// active database or another), and showing its state on the toolbar and the track options.
#include "recording/RecordingControl.h"

#include "database/CurrentTrack.h"
#include "database/DbFiles.h"
#include "platform/messages.h"
#include "platform/winuser.h"
#include "recording/RawLog.h"
#include "recording/VesselState.h"

#include <string>

HWND hwndOverlay = nullptr;
HWND hwndSedrixToolbar = nullptr;
HWND hwndTrackOptionsSaveButton = nullptr;

namespace {

void showSavingState(int32_t on)
{
    if (hwndSedrixToolbar)
        PostMessageA(hwndSedrixToolbar, WM_TOOLBAR_CHECK, IDM_SAVING, on);
    if (hwndTrackOptionsSaveButton)
        PostMessageA(hwndTrackOptionsSaveButton, BM_SETSTATE, on, 0);
}

LRESULT switchOn(HWND window, WPARAM wParam)
{
    bool ask = !(wParam & 1);
    if (ask && MessageBoxA(window, "Are you sure you want to turn saving ON?", db::APPLICATION_TITLE,
                           MB_SYSTEMMODAL | MB_YESNO | MB_ICONQUESTION) != IDYES)
        return 0;
    RawLogSwitch(window, 1);
    globaltrackstatus.field[TS_SAVING] = 1;
    savingjuststarted = 1;
    globaltrackstatus.field[TS_CURRENT_VISIBLE] = 1;
    DBSaveTrackStatus(&globaltrackstatus);
    showSavingState(1);
    return 0;
}

LRESULT switchOff(HWND window)
{
    char* otherDatabase = nullptr;
    int32_t answer = DoDialogSaveTrack(&otherDatabase);
    if (answer == IDCANCEL)
        return IDCANCEL;
    bool store = answer == IDYES || answer == IDOK || answer == IDC_ANOTHER_DATABASE;
    if (!store && answer != IDNO)
        return 0;
    if (store && !StoreCurrentTrack(otherDatabase))
        return 0; // saving stays on; the user can try again
    RawLogSwitch(window, 0);
    showSavingState(0);
    globaltrackstatus.field[TS_SAVING] = 0;
    DBSaveTrackStatus(&globaltrackstatus);
    return 0;
}

} // namespace

bool StoreCurrentTrack(const char* otherDatabaseFolder)
{
    if (otherDatabaseFolder) {
        std::string folder = db::DatabaseFolder(otherDatabaseFolder);
        TrackInfo copy = globalcurrenttrackinfos[0];
        if (!DBSaveCurrentTrackTo(folder.c_str(), &copy))
            return false;
    } else {
        TrackInfo stored = globalcurrenttrackinfos[0];
        if (!DBSaveCurrentTrack(&stored))
            return false;
        // Nothing recorded, nothing stored: the past track stays the one it was.
        if (stored.handle != 0)
            globalpasttrackinfo = stored;
    }
    globaltrackstatus.field[TS_PAST_HANDLE] = int32_t(globalpasttrackinfo.handle);
    return true;
}

LRESULT SavingSwitch(HWND window, WPARAM wParam, LPARAM)
{
    LRESULT result = globaltrackstatus.field[TS_SAVING] ? switchOff(window) : switchOn(window, wParam);
    if (window)
        InvalidateRect(window, nullptr, TRUE);
    return result;
}

int32_t StartSaving(HWND)
{
    SavingSwitch(hwndOverlay, 0, 7);
    return 0;
}

int32_t StopSaving(HWND window, int32_t ask)
{
    if (ask && MessageBoxA(window, "Are you sure you want to stop saving?", "Varnel Swath",
                           MB_OKCANCEL | MB_ICONQUESTION) == IDCANCEL)
        return 1;
    SavingSwitch(hwndOverlay, 0, 7);
    return 0;
}

int32_t AutoSaveIndicate(int32_t state)
{
    showSavingState(state);
    return 1;
}
