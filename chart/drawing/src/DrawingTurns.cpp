#include "DrawingTurns.h"

#include "platform/winuser.h"

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;
// Long enough that the turns cost little, short enough that the program stays responsive.
constexpr auto TURN_INTERVAL = std::chrono::milliseconds(100);

int turnsAllowed = 0;
Clock::time_point lastTurn;

} // namespace

EventTurnsAllowed::EventTurnsAllowed()
{
    // The first check takes a turn at once: what waited before the drawing began runs first.
    if (turnsAllowed++ == 0)
        lastTurn = Clock::time_point{};
}

EventTurnsAllowed::~EventTurnsAllowed()
{
    --turnsAllowed;
}

bool DrawingInterrupted(HWND chartWindow)
{
    bool closing = win::quitPosted();
    if (!closing && turnsAllowed && Clock::now() - lastTurn >= TURN_INTERVAL) {
        closing = win::pumpPendingMessages();
        lastTurn = Clock::now();
    }
    return closing || !IsWindow(chartWindow);
}
