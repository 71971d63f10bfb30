// The window objects behind the handles. Handles are numbers never given out twice, so a stale
// handle finds nothing instead of a freed object.
#pragma once

#include "platform/winuser.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

class QTimer;

namespace win {

enum class ShowState { Hidden, Normal, Minimized, Maximized };

struct Window {
    HWND handle = nullptr;
    std::string className;
    WNDPROC proc = nullptr;
    HWND parent = nullptr;

    // Guarded by windowMutex(): read and written from any thread.
    std::string title;
    RECT rect{0, 0, 0, 0}; // without a widget
    ShowState show = ShowState::Hidden;
    std::map<int, LONG_PTR> longs;

    // GUI thread only.
    QPointer<QWidget> widget;
    std::map<UINT_PTR, QTimer*> timers;
    bool destroying = false;
};

std::mutex& windowMutex();
std::shared_ptr<Window> findWindow(HWND handle);
// Runs fn with the window on the GUI thread (waiting for it from other threads);
// 0 for an unknown window.
LRESULT onWindow(HWND handle, std::function<LRESULT(Window&)> fn);
// Calls the window's procedure (GUI thread); 0 for an unknown window.
LRESULT deliver(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace win
