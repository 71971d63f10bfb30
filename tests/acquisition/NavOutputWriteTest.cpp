// The $GPGLL output on a pseudo-terminal: the printed position at the rounding boundaries, and
// a far end that stops reading.
#include "PseudoTerminal.h"
#include "TempDataRoot.h"
#include "acquisition/Navigation.h"
#include "platform/messages.h"
#include "platform/profile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <future>
#include <poll.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace std::chrono_literals;

namespace {

struct NavOutputPort : ::testing::Test {
    TempDataRoot root;
    PseudoTerminal far;
    void SetUp() override
    {
        win::scripted::listen();
        far.linkAs(root.root(), 5);
        WritePrivateProfileStringA("Swath", "OutputComm", "5", "Swath.ini");
        ASSERT_EQ(OpenNavOutput(nullptr), 0);
    }
    void TearDown() override
    {
        CloseNavOutput();
        win::setDebugListener(nullptr);
        win::scripted::stopListening();
    }
};

TEST_F(NavOutputPort, RoundsOnceSoMinutesNeverReachSixty)
{
    struct Case {
        int32_t lat, lon;
        const char* sentence;
    };
    const Case cases[] = {
        {519999995, 1799999999, "$GPGLL,5200.0000,N,18000.0000,E\r\n"},
        {-519999995, -1799999999, "$GPGLL,5200.0000,S,18000.0000,W\r\n"},
        {519999991, -9999991, "$GPGLL,5159.9999,N,00059.9999,W\r\n"},    // just below the carry
        {-515083333, 2041666, "$GPGLL,5130.5000,S,00012.2500,E\r\n"},
        {0, 9, "$GPGLL,0000.0000,N,00000.0001,E\r\n"},                     // 0.000054' rounds up
        {8, -8, "$GPGLL,0000.0000,N,00000.0000,W\r\n"},                    // 0.000048' rounds down
        {-899999999, 1199999999, "$GPGLL,9000.0000,S,12000.0000,E\r\n"},
    };
    for (const Case& c : cases) {
        SwathReading r{};
        r.lat = c.lat;
        r.lon = c.lon;
        EXPECT_EQ(OutputData(nullptr, &r), 0);
        EXPECT_EQ(far.read(2s, std::strlen(c.sentence)), c.sentence) << c.lat << " " << c.lon;
    }
}

TEST_F(NavOutputPort, AFarEndThatStopsReadingNeverHoldsTheCallerUp)
{
    std::vector<std::string> traces;
    win::setDebugListener([&traces](const std::string& text) { traces.push_back(text); });
    // Fill the terminal's queues to the brim from our own end of it, until no room is made
    // (the kernel moves bytes on between its queues a little later).
    int fd = far.slaveFd();
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    const std::string block(512, 'x');
    pollfd room{fd, POLLOUT, 0};
    do {
        while (::write(fd, block.data(), block.size()) > 0 || errno == EINTR) {
        }
        ASSERT_EQ(errno, EAGAIN);
    } while (::poll(&room, 1, 500) > 0);

    // Calls on the chart timer's thread, timed each.
    auto calls = std::async(std::launch::async, [] {
        SwathReading r{};
        r.lat = 515083333;
        r.lon = -2041666;
        std::vector<std::chrono::milliseconds> took;
        for (int i = 0; i < 10; ++i) {
            auto start = std::chrono::steady_clock::now();
            EXPECT_EQ(OutputData(nullptr, &r), 0);
            took.push_back(std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start));
        }
        return took;
    });
    if (calls.wait_for(20s) != std::future_status::ready) {
        ADD_FAILURE() << "OutputData blocked on a port nobody reads";
        far.closeMaster(); // the port goes away, which ends the stuck write
        calls.wait();
        return;
    }
    for (auto took : calls.get())
        EXPECT_LT(took, 1s);
    ASSERT_EQ(traces.size(), 1u) << "told once";
    EXPECT_EQ(traces[0], "COM5 for Nav Output is not being read: positions are dropped\n");
    EXPECT_TRUE(win::scripted::boxes().empty());

    // Once the far end reads again, whole sentences go out again.
    while (!far.read(200ms).empty()) {
    }
    SwathReading r{};
    r.lat = -515083333;
    r.lon = 2041666;
    EXPECT_EQ(OutputData(nullptr, &r), 0);
    EXPECT_EQ(far.read(2s, 33), "$GPGLL,5130.5000,S,00012.2500,E\r\n");
}

} // namespace
