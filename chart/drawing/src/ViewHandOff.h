// "c:\varnel\coords.dat": the view, the vessel and the cursor for an outside viewer.
#pragma once

#include "platform/windef.h"

// view: west, north, east, south. Not written while "c:\varnel\~kcin.ini" exists.
void WriteViewHandOffFile(const RECT& view);
