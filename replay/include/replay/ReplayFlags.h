// The flags through which the replay controls drive the replay module, which binds them by
// name, and the jump the module reports when its position wraps or is moved.
#pragma once

#include "platform/windef.h"

#include <atomic>
#include <cstdint>

// Written by one side and read by the other without a lock: atomics of the flags' own size, so
// the module binds them as plain 32-bit words.
using ReplayFlag = std::atomic<int32_t>;
static_assert(sizeof(ReplayFlag) == 4 && ReplayFlag::is_always_lock_free);

extern "C" {
extern ReplayFlag bStop;
extern ReplayFlag bPause;
extern ReplayFlag bStep;
extern ReplayFlag bFast;
extern ReplayFlag bRewind;
extern ReplayFlag bReverse;
extern ReplayFlag ctReplayInterval;
extern HWND hReplayCounterWnd;

// 1 when it stopped the replay, else 0. The module calls it with 0 when its position jumps.
int32_t ReplayJump(int32_t fromButton);
}

// Set when an erase had to wait because the replay was stopped; play does it then.
extern std::atomic<bool> bReplayRedrawPending;

// What a jump does to the drawing of the current track; set by the chart window, which owns
// the display buffers. Unset, a jump only changes the flags. The replay module reports its
// jumps from its feeder thread, so these run there: they may only post to the GUI thread.
struct ReplayDisplay {
    void (*eraseCurrentTrack)() = nullptr;     // clear the buffers and redraw from the database
    void (*breakCurrentTrackLines)() = nullptr; // do not join the next point to the last one
    void (*updateButtons)() = nullptr;          // show the mode on the replay window's buttons
};
extern ReplayDisplay replayDisplay;
