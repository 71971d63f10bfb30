// Class and type names: at most 19 characters and the terminator in their 20-byte entries.
#pragma once

#include "classification/BoxFile.h"

#include <cstring>

// A long name is cut: it never runs into the next entry.
inline void copyName(char (&to)[BOX_NAME_SIZE], const char* from)
{
    size_t length = strnlen(from, BOX_NAME_SIZE - 1);
    std::memmove(to, from, length);
    to[length] = 0;
}
