// The GUI thread and the others: messages posted and sent across threads, windows created from
// another thread, timers, the message loop's quit code, and the message queues of other threads.
#include "platform/gui.h"
#include "platform/modules.h"
#include "recorder.h"

#include <atomic>
#include <future>
#include <thread>

#include <gtest/gtest.h>

using test::Recorder;

namespace {

class ThreadsTest : public testing::Test {
protected:
    void SetUp() override
    {
        Recorder::instance().clear();
        window = win::createWindow("TestWnd", "threads", Recorder::proc);
        ASSERT_TRUE(window);
    }
    void TearDown() override { DestroyWindow(window); }
    HWND window = nullptr;
    std::thread::id gui = std::this_thread::get_id();
};

TEST_F(ThreadsTest, MessagesPostedFromAnotherThreadRunOnTheGuiThreadInOrder)
{
    std::thread poster([this] {
        for (WPARAM i = 1; i <= 5; ++i)
            EXPECT_TRUE(PostMessageA(window, WM_USER + 7, i, 0));
    });
    poster.join();
    ASSERT_TRUE(test::processEventsUntil(
        [] { return Recorder::instance().calls(WM_USER + 7).size() == 5; }));
    auto calls = Recorder::instance().calls(WM_USER + 7);
    for (size_t i = 0; i < calls.size(); ++i) {
        EXPECT_EQ(calls[i].wParam, i + 1);
        EXPECT_EQ(calls[i].thread, gui);
    }
}

TEST_F(ThreadsTest, CrossThreadSendReturnsTheResultWhileTheGuiThreadProcessesEvents)
{
    // The GUI thread is busy in a polling loop that processes events, as when it waits for
    // the module to start; the sender must not deadlock.
    auto answer = std::async(std::launch::async,
                             [this] { return SendMessageA(window, test::WM_DOUBLE, 21, 0); });
    ASSERT_TRUE(test::processEventsUntil([&] {
        return answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    }));
    EXPECT_EQ(answer.get(), 42);
    auto calls = Recorder::instance().calls(test::WM_DOUBLE);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].thread, gui);

    // The same through the plain waiting helper, and to a window gone meanwhile.
    answer = std::async(std::launch::async,
                        [this] { return SendMessageA(window, test::WM_DOUBLE, 50, 0); });
    win::waitProcessingEvents(100);
    ASSERT_EQ(answer.wait_for(std::chrono::seconds(0)), std::future_status::ready);
    EXPECT_EQ(answer.get(), 100);

    DestroyWindow(window);
    answer = std::async(std::launch::async,
                        [this] { return SendMessageA(window, test::WM_DOUBLE, 50, 0); });
    ASSERT_TRUE(test::processEventsUntil([&] {
        return answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    }));
    EXPECT_EQ(answer.get(), 0);
}

TEST_F(ThreadsTest, WindowCreatedFromAnotherThreadLivesOnTheGuiThread)
{
    auto created = std::async(std::launch::async,
                              [] { return win::createWindow("TestWnd", "module", Recorder::proc); });
    ASSERT_TRUE(test::processEventsUntil([&] {
        return created.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    }));
    HWND module = created.get();
    ASSERT_TRUE(IsWindow(module));
    auto creates = Recorder::instance().calls(WM_CREATE);
    ASSERT_EQ(creates.back().window, module);
    EXPECT_EQ(creates.back().thread, gui);
    DestroyWindow(module);
}

TEST_F(ThreadsTest, TimerSendsWmTimerUntilKilled)
{
    ASSERT_EQ(SetTimer(window, 7, 10, nullptr), 7u);
    ASSERT_TRUE(test::processEventsUntil(
        [] { return Recorder::instance().calls(WM_TIMER).size() >= 3; }));
    for (const auto& call : Recorder::instance().calls(WM_TIMER)) {
        EXPECT_EQ(call.wParam, 7u);
        EXPECT_EQ(call.thread, gui);
    }
    ASSERT_TRUE(KillTimer(window, 7));
    EXPECT_FALSE(KillTimer(window, 7));
    size_t ticks = Recorder::instance().calls(WM_TIMER).size();
    win::waitProcessingEvents(60);
    EXPECT_EQ(Recorder::instance().calls(WM_TIMER).size(), ticks);
}

TEST_F(ThreadsTest, MessageLoopReturnsTheQuitCode)
{
    std::thread quitter([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        PostQuitMessage(3);
    });
    EXPECT_EQ(win::runMessageLoop(), 3);
    quitter.join();
    EXPECT_FALSE(win::quitPosted());

    // A quit posted before the loop runs (a window destroyed during start-up) is not lost.
    PostQuitMessage(-42);
    EXPECT_TRUE(win::quitPosted());
    EXPECT_EQ(win::runMessageLoop(), -42);
}

} // namespace

namespace {

TEST(ThreadQueue, AThreadWaitsForItsOwnMessagesAndQuit)
{
    std::promise<DWORD> idPromise;
    std::vector<MSG> received;
    std::thread moduleThread([&] {
        idPromise.set_value(win::openThreadQueue());
        MSG msg;
        EXPECT_FALSE(win::waitThreadMessage(&msg, 10)); // nothing yet
        while (win::waitThreadMessage(&msg, 5000)) {
            received.push_back(msg);
            if (msg.message == WM_QUIT)
                break;
            // Its own quit goes to its own queue, not to the GUI loop.
            PostQuitMessage(-1);
        }
    });
    DWORD id = idPromise.get_future().get();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_TRUE(PostThreadMessageA(id, WM_USER + 5, 1, 2));
    moduleThread.join();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].message, WM_USER + 5);
    EXPECT_EQ(received[0].lParam, 2);
    EXPECT_EQ(received[1].message, WM_QUIT);
    EXPECT_EQ(int(received[1].wParam), -1);
    EXPECT_FALSE(win::quitPosted());

    // The queue ended with its thread.
    EXPECT_FALSE(PostThreadMessageA(id, WM_QUIT, 0, 0));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_THREAD_ID);
}

} // namespace
