// What the fuzz targets share: a data root of their own for the whole run, with message boxes
// recorded rather than printed, and invariant checks that end the run as a crash.
#pragma once

#include "TempDataRoot.h"
#include "platform/messages.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace fuzz {

[[noreturn]] inline void failed(int line)
{
    std::fprintf(stderr, "invariant broken at line %d\n", line);
    std::abort();
}
#define check(condition) ((condition) ? void() : ::fuzz::failed(__LINE__))

// The run's data root, made on first use and removed at exit.
inline TempDataRoot& root()
{
    static struct Run {
        Run() { win::scripted::listen(); }
        TempDataRoot home;
    } run;
    return run.home;
}

inline void writeFile(const std::filesystem::path& path, const uint8_t* data, size_t size)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), long(size));
}

// The boxes an input caused are of no interest; they must not pile up over a run.
inline void forgetBoxes() { win::scripted::clear(); }

} // namespace fuzz
