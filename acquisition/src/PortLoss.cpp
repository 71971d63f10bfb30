#include "acquisition/PortLoss.h"
#include "acquisition/SounderLink.h"
#include "platform/modules.h"

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
        PortErrorBox(text, "Serial Port");
    }
    return true;
}
