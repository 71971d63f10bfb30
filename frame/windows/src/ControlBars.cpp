#include "frame/ControlBars.h"

#include "ControlBarWindow.h"
#include "WindowPlacement.h"

#include "frame/ChartLayout.h"
#include "frame/WindowLayout.h"
#include "platform/messages.h"
#include "platform/winuser.h"

#include <algorithm>
#include <vector>

namespace {

// The open bars in the order they were opened; the first sits on the bottom line.
std::vector<HWND> openBars;

} // namespace

HWND ShowControls(int barId, HWND owner)
{
    if (!IsControlBarId(barId)) {
        TRACE_HOOK("ShowControls called with invalid ControlBarId");
        return nullptr;
    }
    if (!IsWindow(owner))
        return nullptr;
    LayoutChartBelowTopStrips(owner);
    const ScreenMetrics& m = screenMetrics;
    const int line = barId == TWO_BUTTON_BAR ? 1 : int(openBars.size()) + 1;
    HWND bar = CreateControlBarWindow(barId, owner, m.H - line * m.L);
    if (!bar)
        return nullptr;
    openBars.push_back(bar);
    PlaceChartButtonBar();
    return bar;
}

void CloseControlBar(HWND bar)
{
    auto it = std::find(openBars.begin(), openBars.end(), bar);
    if (it == openBars.end())
        return;
    const size_t index = size_t(it - openBars.begin());
    openBars.erase(it);
    DestroyWindow(bar);
    for (size_t i = index; i < openBars.size(); ++i)
        MoveChildDown(openBars[i], screenMetrics.L);
    PlaceChartButtonBar();
}

void ForgetControlBar(HWND bar) { std::erase(openBars, bar); }

int ControlBarId(HWND bar)
{
    if (std::find(openBars.begin(), openBars.end(), bar) == openBars.end())
        return -1;
    return int(GetWindowLongPtrA(bar, CONTROLBAR_ID));
}

int ControlBarCount() { return int(openBars.size()); }

HWND ControlBarAt(int index)
{
    return index >= 0 && index < ControlBarCount() ? openBars[size_t(index)] : nullptr;
}
