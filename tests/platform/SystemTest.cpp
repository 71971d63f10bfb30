// The single-instance lock, held once, and the millisecond clock.
#include "platform/system.h"
#include "TempDataRoot.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

TEST(System, TheInstanceLockIsHeldOnce)
{
    TempDataRoot home;
    EXPECT_TRUE(win::acquireInstanceLock("VarnelMutex"));
    EXPECT_FALSE(win::acquireInstanceLock("VarnelMutex"));
}

TEST(System, TheClockCountsMillisecondsForward)
{
    long a = win::clockMs();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    long b = win::clockMs();
    EXPECT_GE(b - a, 20);
    EXPECT_LT(b - a, 5000);
}
