// Windows and messages. An HWND names a window object with a window procedure; a Qt widget may
// be attached to it (see gui.h), so the same code runs with or without a display. Handles are
// never reused: a destroyed handle is simply unknown (IsWindow FALSE, SendMessageA 0).
// Procedures always run on the GUI thread (the thread of the QCoreApplication).
#pragma once

#include "platform/windef.h"

#include <string>

using LONG_PTR = intptr_t;
using UINT_PTR = uintptr_t;
using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

// What WM_CREATE carries in lParam; lpCreateParams is the creation parameter.
struct CREATESTRUCTA {
    void* lpCreateParams;
    void* hInstance;
    void* hMenu;
    HWND hwndParent;
    int cy;
    int cx;
    int y;
    int x;
    LONG style;
    const char* lpszName;
    const char* lpszClass;
    DWORD dwExStyle;
};

constexpr UINT WM_SHOWWINDOW = 0x0018;
constexpr UINT SIZE_RESTORED = 0;
constexpr DWORD ERROR_INVALID_WINDOW_HANDLE = 1400;
constexpr DWORD ERROR_INVALID_THREAD_ID = 1444;

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

constexpr int GWLP_USERDATA = -21;
constexpr int GWLP_WNDPROC = -4;

constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_SHOWNOACTIVATE = 4;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_SHOWMINNOACTIVE = 7;
constexpr int SW_SHOWNA = 8;
constexpr int SW_RESTORE = 9;

constexpr WORD LOWORD(uintptr_t v) { return WORD(v & 0xFFFF); }
constexpr WORD HIWORD(uintptr_t v) { return WORD((v >> 16) & 0xFFFF); }
constexpr LPARAM MAKELPARAM(int low, int high)
{
    return LPARAM(DWORD(WORD(low)) | (DWORD(WORD(high)) << 16));
}
// Signed client coordinates of a mouse message (negative when captured outside the window).
constexpr int GET_X_LPARAM(LPARAM v) { return int(int16_t(LOWORD(uintptr_t(v)))); }
constexpr int GET_Y_LPARAM(LPARAM v) { return int(int16_t(HIWORD(uintptr_t(v)))); }
constexpr WPARAM MK_LBUTTON = 0x0001;
constexpr WPARAM MK_RBUTTON = 0x0002;

namespace win {
// Creates a window object and sends it WM_CREATE (lParam: CREATESTRUCTA*). When the procedure
// answers -1 the window gets WM_DESTROY, is removed and the result is null, as on Win32.
// rect: the window rectangle (screen coordinates for a top-level window, the parent's client
// coordinates for a child); a widget attached later takes it over. Any thread.
HWND createWindow(const char* className, const char* title, WNDPROC proc, HWND parent = nullptr,
                  void* createParam = nullptr, RECT rect = {0, 0, 0, 0});
// Runs the GUI message loop until PostQuitMessage; returns its code. GUI thread only.
int runMessageLoop();
// True from PostQuitMessage until runMessageLoop has returned the quit.
bool quitPosted();
// Gives the events already waiting a turn without waiting for more, so a long drawing keeps
// the program alive; true when a quit is waiting (it stays pending for the loop).
bool pumpPendingMessages();

// A message queue of the calling thread's own, for a thread other than the GUI thread that
// waits for thread messages (the module's user-interface thread waits for its quit). It lives
// until the thread ends. Returns the thread's id for PostThreadMessageA.
DWORD openThreadQueue();
// Waits up to timeoutMs for the next message to this thread (opening its queue if need be);
// false on time-out.
bool waitThreadMessage(MSG* msg, DWORD timeoutMs);
} // namespace win

DWORD GetCurrentThreadId();
// FALSE (ERROR_INVALID_THREAD_ID) when that thread has no open queue.
BOOL PostThreadMessageA(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam);

// Calls the procedure now; from another thread it waits until the GUI thread has run it (the
// GUI thread must be running or processing events, as on Win32). 0 for an unknown window.
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Queues the message on the Qt event loop; any thread. FALSE for an unknown window; a message
// whose window is destroyed before delivery is dropped.
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// On a thread with its own queue: WM_QUIT to that queue, as Win32 does. Anywhere else it ends
// the GUI message loop (runMessageLoop) with this code; the quit stays pending when no loop
// runs, so the next runMessageLoop returns at once. Window procedures run on the GUI thread,
// so a procedure that must stop another thread posts WM_QUIT to it with PostThreadMessageA.
void PostQuitMessage(int exitCode);
// WM_CLOSE destroys the window; everything else answers 0.
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

BOOL IsWindow(HWND window);
// Sends WM_DESTROY, destroys the child windows and the timers, forgets the handle and deletes
// an attached widget.
BOOL DestroyWindow(HWND window);
HWND GetParent(HWND window);
// First window of that class (and title, unless null).
HWND FindWindowA(const char* className, const char* title);

// Per-window values: GWLP_USERDATA and the class's extra slots (index 0, 4...), all 0 at first.
// GWLP_WNDPROC replaces the window procedure (GUI thread only): a mode that takes over a
// window's messages keeps the old procedure and passes on what it does not handle.
LONG_PTR SetWindowLongPtrA(HWND window, int index, LONG_PTR value);
LONG_PTR GetWindowLongPtrA(HWND window, int index);
LRESULT CallWindowProcA(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The title lives in the handle and is shown as the widget's title; non-blocking from any thread.
BOOL SetWindowTextA(HWND window, const char* text);
int GetWindowTextA(HWND window, char* buffer, int size);

// Repaint requests go to the attached widget (update, or repaint for UpdateWindow);
// without a widget there is nothing to paint. Non-blocking from other threads.
BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase);
BOOL UpdateWindow(HWND window);

BOOL GetClientRect(HWND window, RECT* rect);
BOOL GetWindowRect(HWND window, RECT* rect); // screen coordinates
// With a widget, Qt's move and resize events reach the widget; without one, the procedure gets
// WM_MOVE and WM_SIZE here.
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
// Sends WM_SHOWWINDOW (lParam 0) when the visibility changes; returns the previous visibility.
BOOL ShowWindow(HWND window, int command);
BOOL IsWindowVisible(HWND window);
BOOL IsIconic(HWND window);

// WM_TIMER (wParam: the id) to the procedure on the GUI thread every interval; setting an id
// again restarts it. Destroying the window kills its timers. Returns the id, 0 on failure.
UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT intervalMs, void* timerProc);
BOOL KillTimer(HWND window, UINT_PTR id);

// System colours. A COLORREF is 0x00BBGGRR.
using COLORREF = DWORD;
constexpr int COLOR_3DFACE = 15;
constexpr BYTE GetRValue(COLORREF colour) { return BYTE(colour & 0xFF); }
// The application palette's colour of that element (the chart engine darkens the palette at
// night); black for an element it does not know or without a GUI application.
COLORREF GetSysColor(int index);
