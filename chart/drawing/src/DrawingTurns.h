// Long drawing and the rest of the program: whether to stop (the program is closing, or the
// chart window has gone), and, while the painting source is drawn, turns for waiting events.
#pragma once

#include "platform/windef.h"

// True when the drawing should stop. Where turns are allowed and the drawing has run a while,
// the events waiting are dispatched first.
bool DrawingInterrupted(HWND chartWindow);

// Allows event turns for its lifetime. Drawing at paint time never dispatches events: a paint
// inside a paint would recurse.
class EventTurnsAllowed {
public:
    EventTurnsAllowed();
    ~EventTurnsAllowed();
    EventTurnsAllowed(const EventTurnsAllowed&) = delete;
    EventTurnsAllowed& operator=(const EventTurnsAllowed&) = delete;
};
