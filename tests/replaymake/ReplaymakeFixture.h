// A temporary data root with a track database, and runs of the real replaymake program on it.
#pragma once

#include "ChildProcess.h"
#include "TempDataRoot.h"
#include "TrackStoreWriter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

class ReplaymakeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("TZ", "UTC", 1);
        tzset();
    }

    // Runs the program with `keys` as everything typed.
    ChildResult run(const std::string& keys) { return RunChild({REPLAYMAKE_PROGRAM}, keys); }

    std::filesystem::path testdata() const { return root.driveC() / "varnel" / "testdata"; }
    std::string written(const char* name) const { return TempDataRoot::readFile(testdata() / name); }
    std::string indexListing(const char* name) const { return TempDataRoot::readFile(store.overlay() / name); }

    TempDataRoot root;
    TrackStoreWriter store{root.driveC()};
};

// Keys for a plain run over all tracks: go on after the report, after the listing, "no" to
// selected tracks, and the last key.
inline const std::string ALL_TRACKS = "  n ";
