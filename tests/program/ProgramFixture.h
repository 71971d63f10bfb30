// Runs the real program in this process on a fresh data root: its entry, main window, chart
// window and the replay module loaded by name, on a 1024 x 768 screen with an 18-pixel caption.
#pragma once

#include "TempDataRoot.h"
#include "frame/Program.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    const TempDataRoot& root() const { return *root_; }
    ProgramOptions options() const;
    // Runs the program; `whileRunning` is called once the first chart has been captured, and
    // the program is then closed as the user would (unless the test closed it already).
    // Returns the program's exit code.
    int run(const ProgramOptions& options, const std::function<void()>& whileRunning = {});

private:
    std::unique_ptr<TempDataRoot> root_;
};

// Processes events until the condition holds; false after a generous limit.
bool WaitFor(const std::function<bool()>& condition, int limitMs = 60000);
