// What the GUI message loop needs to know of the calling thread's own queue.
#pragma once

#include "platform/winuser.h"

namespace win {
// False when the calling thread has no queue of its own.
bool postToOwnQueue(const MSG& msg);
} // namespace win
