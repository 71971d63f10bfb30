// Ports that go away: one report per opening, shown by the window's thread when it gets to it.
#include "acquisition/PortLoss.h"
#include "acquisition/SounderLink.h"
#include "platform/messages.h"
#include "platform/modules.h"

#include <utility>
#include <vector>

std::function<void()> onPortLossReported;

namespace {

std::mutex reportsMutex;
std::vector<std::string> waitingReports;

std::vector<std::string> takeReports()
{
    std::lock_guard lock(reportsMutex);
    return std::exchange(waitingReports, {});
}

} // namespace

void PortLoss::opened(const std::string& description)
{
    std::lock_guard lock(mutex_);
    description_ = description;
    lost_ = false;
}

bool PortLoss::check() { return check(GetLastError()); }

bool PortLoss::check(unsigned long error)
{
    if (error != ERROR_DEVICE_REMOVED)
        return false;
    if (!lost_.exchange(true)) {
        std::string text;
        {
            std::lock_guard lock(mutex_);
            text = "Lost " + description_ + ": the device has gone away";
        }
        if (!onPortLossReported) {
            PortErrorBox(text, "Serial Port");
            return true;
        }
        {
            std::lock_guard lock(reportsMutex);
            waitingReports.push_back(std::move(text));
        }
        onPortLossReported();
    }
    return true;
}

void ShowPortLossReports()
{
    for (const std::string& text : takeReports())
        PortErrorBox(text, "Serial Port");
}

void DropPortLossReports()
{
    for (const std::string& text : takeReports())
        OutputDebugStringA((text + " (not shown: the links were closing)\n").c_str());
}
