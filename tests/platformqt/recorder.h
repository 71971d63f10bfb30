// A window procedure that records every call, with the thread it ran on.
#pragma once

#include "platform/winuser.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <chrono>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace test {

constexpr UINT WM_DOUBLE = WM_USER + 1; // answers wParam * 2
constexpr UINT WM_REFUSE_CREATE = WM_USER + 2;

struct Call {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::thread::id thread;
};

class Recorder {
public:
    static Recorder& instance()
    {
        static Recorder recorder;
        return recorder;
    }
    void clear()
    {
        std::lock_guard lock(mutex_);
        calls_.clear();
        createParam_ = nullptr;
        refuseCreate_ = false;
    }
    void refuseCreate() { refuseCreate_ = true; }
    std::vector<Call> calls(UINT message) const
    {
        std::lock_guard lock(mutex_);
        std::vector<Call> found;
        for (const Call& c : calls_)
            if (c.message == message)
                found.push_back(c);
        return found;
    }
    std::vector<UINT> messagesTo(HWND window) const
    {
        std::lock_guard lock(mutex_);
        std::vector<UINT> found;
        for (const Call& c : calls_)
            if (c.window == window)
                found.push_back(c.message);
        return found;
    }
    void* createParam() const { return createParam_; }

    static LRESULT proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        Recorder& r = instance();
        {
            std::lock_guard lock(r.mutex_);
            r.calls_.push_back({window, message, wParam, lParam, std::this_thread::get_id()});
        }
        if (message == WM_CREATE) {
            r.createParam_ = reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams;
            return r.refuseCreate_ ? -1 : 0;
        }
        if (message == WM_DOUBLE)
            return LRESULT(wParam * 2);
        return DefWindowProcA(window, message, wParam, lParam);
    }

private:
    mutable std::mutex mutex_;
    std::vector<Call> calls_;
    void* createParam_ = nullptr;
    bool refuseCreate_ = false;
};

// Processes GUI events until the condition holds or the time is up.
inline bool processEventsUntil(const std::function<bool()>& done, int timeoutMs = 5000)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

} // namespace test
