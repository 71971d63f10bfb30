// A serial device that goes away (a USB adapter pulled out) is reported once per opening; the
// link then stays quiet and the rest of the module carries on.
#pragma once

#include "platform/windef.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <string>

class PortLoss {
public:
    // A fresh opening of the port, described for the report ("COM3 for Nav Input").
    void opened(const std::string& description);
    // After a failed port call: true, with one report, when the failure (the call's error
    // code, by default the thread's last error) was the device going.
    bool check(unsigned long error);
    bool check();
    bool lost() const { return lost_; }

private:
    std::mutex mutex_;
    std::string description_;
    std::atomic<bool> lost_{false};
};

// Reports are made on the threads that use the ports, which must never wait for the user: the
// window that shows them is told by this hook that one waits, and shows it when its thread gets
// to it (ShowPortLossReports). Without the hook (the links on their own) a report is shown at once.
extern std::function<void()> onPortLossReported;
// The module window's message that a loss report waits.
constexpr UINT WM_PORT_LOST = WM_USER + 60;
// Shows the reports that wait, on the thread of the window that shows them.
void ShowPortLossReports();
// The links are closing: a report not shown yet would only say that a port went that is being
// closed anyway, so it goes to the debugger channel instead.
void DropPortLossReports();
