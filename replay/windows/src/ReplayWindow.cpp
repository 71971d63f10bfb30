#include "replay/ReplayWindow.h"

#include "ReplayDialog.h"

#include "frame/Inifile.h"
#include "frame/WindowLayout.h"
#include "platform/gui.h"
#include "platform/messages.h"
#include "platform/modules.h"
#include "recording/ModuleBinding.h"
#include "replay/ReplayFlags.h"

#include <QAbstractButton>
#include <QCoreApplication>

#include <string>

HWND hwndReplay = nullptr;

namespace {

constexpr char SECTION[] = "ReplayWnd";

using ModuleFunction = int32_t (*)();
// Looked up in the module at each creation of the window; null while it does not exist.
ModuleFunction goToHome = nullptr;
ModuleFunction goToEnd = nullptr;
ModuleFunction getCounter = nullptr;
HWND replayOwner = nullptr;

QWidget* control(int id)
{
    QWidget* dialog = win::widgetOf(hwndReplay);
    return dialog ? dialog->findChild<QWidget*>(QString::number(id)) : nullptr;
}

void checkButton(int id, bool checked)
{
    if (auto* button = qobject_cast<QAbstractButton*>(control(id)))
        button->setChecked(checked);
}

void enableControl(int id, bool enabled)
{
    if (QWidget* widget = control(id))
        widget->setEnabled(enabled);
}

ModuleFunction lookUp(HWND window, const char* name)
{
    auto function = reinterpret_cast<ModuleFunction>(GetProcAddress(hSwath.handle, name));
    if (function)
        return function;
    std::string text = std::string("Function ") + name + "() not found in sonkel32d DLL";
    switch (GetLastError()) {
    case ERROR_INVALID_HANDLE:
        text += ": invalid DLL handle";
        break;
    case ERROR_MOD_NOT_FOUND:
        text += ": module not found";
        break;
    }
    MessageBeep(MB_ICONHAND);
    MessageBoxA(window, text.c_str(), nullptr, MB_ICONHAND);
    return nullptr;
}

void showCounter()
{
    SetWindowTextA(hReplayCounterWnd, std::to_string(getCounter()).c_str());
}

// ReplayJump may run on the module's feeder thread: the buttons follow on the GUI thread.
void updateButtonsFromAnyThread()
{
    if (win::isGuiThread())
        UpdateReplayButtons();
    else if (QCoreApplication* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, &UpdateReplayButtons, Qt::QueuedConnection);
}

void onInitDialog(HWND window)
{
    RECT place;
    if (!LoadPosition(&place, SECTION))
        GetDefaultWindowRect(SEDRIXWND, &place);
    RECT own{};
    GetWindowRect(window, &own);
    MoveWindow(window, place.left, place.top, own.right - own.left, own.bottom - own.top, TRUE);

    checkButton(IDC_BUTTON_PAUSE, bPause);
    checkButton(IDC_BUTTON_STOP, bStop);
    enableControl(IDC_BUTTON_FASTFWD, false);
    enableControl(IDC_BUTTON_FASTREV, false);

    if (!(goToHome = lookUp(window, "GoToHome")))
        enableControl(IDC_BUTTON_HOME, false);
    if (!(goToEnd = lookUp(window, "GoToEnd")))
        enableControl(IDC_BUTTON_END, false);
    if (!(getCounter = lookUp(window, "GetCounter")))
        if (QWidget* counter = control(IDC_REPLAY_COUNTER))
            counter->hide();
    // Set even when the field is hidden: the module may write into it.
    hReplayCounterWnd = win::windowOf(control(IDC_REPLAY_COUNTER));
    if (getCounter)
        showCounter();
    // Reopened during a replay, the buttons show its mode at once.
    UpdateReplayButtons();
}

// A play button: a display erase that waited for play happens now.
void play(bool backward)
{
    if (bReplayRedrawPending.exchange(false) && replayDisplay.eraseCurrentTrack)
        replayDisplay.eraseCurrentTrack();
    bFast = 0;
    bRewind = 0;
    bReverse = backward ? 1 : 0;
    if (bPause)
        bStep = 1;
    bStop = 0;
}

void wind(bool backward)
{
    ReplayFlag& on = backward ? bRewind : bFast;
    ReplayFlag& off = backward ? bFast : bRewind;
    bReverse = 0;
    off = 0;
    on = 1;
    bStop = 0;
}

void jump(ModuleFunction moduleJump)
{
    ReplayJump(1);
    if (moduleJump)
        moduleJump();
}

// closedByUser: "X" and Escape leave the window closed at the next start; a close of the
// program's own (WM_CLOSE) does not.
void closeWindow(HWND window, bool closedByUser, bool updateOwner)
{
    HWND owner = replayOwner;
    DestroyWindow(window);
    if (updateOwner)
        UpdateWindow(owner);
    if (closedByUser)
        SaveStatus(0, SECTION);
}

void onCommand(HWND window, int id, int code)
{
    if (code != 0)
        return;
    switch (id) {
    case IDC_BUTTON_REV:
        play(true);
        break;
    case IDC_BUTTON_PLAY:
        play(false);
        break;
    case IDC_BUTTON_FASTFWD:
        wind(false);
        break;
    case IDC_BUTTON_FASTREV:
        wind(true);
        break;
    case IDC_BUTTON_PAUSE:
        bPause = bPause ? 0 : 1;
        checkButton(IDC_BUTTON_PAUSE, bPause);
        break;
    case IDC_BUTTON_HOME:
        jump(goToHome);
        break;
    case IDC_BUTTON_END:
        jump(goToEnd);
        break;
    case IDC_BUTTON_STOP:
        bStop = 1;
        bFast = 0;
        bRewind = 0;
        bReverse = 0;
        break;
    case IDOK:
        closeWindow(window, true, true);
        break;
    case IDCANCEL:
        closeWindow(window, true, false);
        break;
    }
    if (id != IDC_REPLAY_COUNTER)
        UpdateReplayButtons();
}

// The up arrow shortens the wait between records: it speeds the replay up.
void onVScroll(int code)
{
    if (code == SB_LINEUP && ctReplayInterval >= REPLAY_INTERVAL_STEP)
        ctReplayInterval -= REPLAY_INTERVAL_STEP;
    else if (code == SB_LINEDOWN && ctReplayInterval < REPLAY_INTERVAL_MAX)
        ctReplayInterval += REPLAY_INTERVAL_STEP;
}

void onMoved(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    SavePosition(&rect, SECTION);
    UpdateWindow(replayOwner);
}

void onDestroy()
{
    hwndReplay = nullptr;
    // Nobody may write into a field that is gone.
    hReplayCounterWnd = nullptr;
    goToHome = goToEnd = getCounter = nullptr;
}

} // namespace

LRESULT ReplayWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        onInitDialog(window);
        return TRUE;
    case WM_COMMAND:
        onCommand(window, LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_VSCROLL:
        if (lParam == IDC_REPLAY_INTERVAL)
            onVScroll(LOWORD(wParam));
        return 0;
    case WM_MOVE:
        onMoved(window);
        return 0;
    case WM_CLOSE:
        closeWindow(window, false, false);
        return 0;
    case WM_DESTROY:
        onDestroy();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void ShowReplayWindow(HWND chartWindow)
{
    if (!hwndReplay) {
        // Written once only: the module's thread may be reading it.
        if (replayDisplay.updateButtons != updateButtonsFromAnyThread)
            replayDisplay.updateButtons = updateButtonsFromAnyThread;
        replayOwner = chartWindow;
        hwndReplay = CreateReplayDialog(chartWindow);
        if (!hwndReplay)
            return;
        SendMessageA(hwndReplay, WM_INITDIALOG, 0, 0);
        SaveStatus(1, SECTION);
    }
    ShowWindow(hwndReplay, SW_SHOW);
    UpdateWindow(hwndReplay);
    if (QWidget* dialog = win::widgetOf(hwndReplay)) {
        dialog->raise();
        dialog->setFocus();
    }
}

void UpdateReplayButtons()
{
    if (!hwndReplay)
        return;
    const bool stop = bStop, fast = bFast, rewind = bRewind, reverse = bReverse;
    checkButton(IDC_BUTTON_FASTREV, rewind);
    checkButton(IDC_BUTTON_FASTFWD, fast);
    checkButton(IDC_BUTTON_PLAY, !reverse && !stop && !fast && !rewind);
    checkButton(IDC_BUTTON_REV, reverse && !stop && !fast && !rewind);
    checkButton(IDC_BUTTON_STOP, stop && !fast && !rewind);
}

void UpdateReplayCounter()
{
    if (getCounter && hwndReplay)
        showCounter();
}
