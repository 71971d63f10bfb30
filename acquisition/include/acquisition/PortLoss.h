// A serial device that goes away (a USB adapter pulled out) is reported once per opening; the
// link then stays quiet and the rest of the module carries on.
#pragma once

#include <atomic>
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
