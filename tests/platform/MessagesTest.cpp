// Scripted message boxes and dialogs: boxes recorded exactly and answered from the queue or by
// their first button, headless dialogs taking queued results by name, and the debug and trace
// channels reaching their listeners.
#include "platform/messages.h"

#include <gtest/gtest.h>

class MessagesTest : public ::testing::Test {
protected:
    void SetUp() override { win::scripted::listen(); }
    void TearDown() override
    {
        win::scripted::stopListening();
        win::setDebugListener(nullptr);
        win::setTraceListener(nullptr);
    }
};

TEST_F(MessagesTest, BoxesAreRecordedExactlyAndAnsweredFromTheQueue)
{
    MessageBeep(MB_ICONHAND);
    EXPECT_EQ(MessageBoxA(nullptr, "Failed writing ini file", nullptr, MB_ICONHAND), IDOK);
    win::scripted::queueAnswer(IDNO);
    EXPECT_EQ(MessageBoxA(nullptr, "Store track?", "Turn Saving OFF", MB_YESNO | MB_ICONQUESTION), IDNO);
    // An empty queue answers the first button.
    EXPECT_EQ(MessageBoxA(nullptr, "Again?", "Retry", MB_RETRYCANCEL), IDRETRY);

    auto boxes = win::scripted::boxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text, "Failed writing ini file");
    EXPECT_EQ(boxes[0].caption, "Error");
    EXPECT_EQ(boxes[0].type & MB_ICONMASK, MB_ICONHAND);
    EXPECT_EQ(boxes[1].caption, "Turn Saving OFF");
    EXPECT_EQ(boxes[1].answer, IDNO);
    EXPECT_EQ(win::scripted::beeps(), std::vector<UINT>{MB_ICONHAND});
}

TEST_F(MessagesTest, FirstButtonOfEachType)
{
    const std::pair<UINT, int> cases[] = {{MB_OK, IDOK}, {MB_OKCANCEL, IDOK},
                                          {MB_ABORTRETRYIGNORE, IDABORT}, {MB_YESNOCANCEL, IDYES},
                                          {MB_YESNO, IDYES}, {MB_RETRYCANCEL, IDRETRY}};
    for (auto [type, button] : cases)
        EXPECT_EQ(win::firstButton(type | MB_ICONEXCLAMATION), button) << type;
}

TEST_F(MessagesTest, HeadlessDialogsTakeQueuedResultsByName)
{
    win::scripted::queueDialog("NewDatabase", {IDOK, {{1000, "Survey 2"}}});
    EXPECT_FALSE(win::scripted::takeDialog("SelectDatabase"));
    auto result = win::scripted::takeDialog("NewDatabase");
    ASSERT_TRUE(result);
    EXPECT_EQ(result->controls.at(1000), "Survey 2");
    EXPECT_FALSE(win::scripted::takeDialog("NewDatabase"));
    EXPECT_EQ(win::scripted::dialogsOpened(),
              (std::vector<std::string>{"SelectDatabase", "NewDatabase", "NewDatabase"}));
}

TEST_F(MessagesTest, DebugChannelAndTraceReachTheirListeners)
{
    std::vector<std::string> debug, trace;
    win::setDebugListener([&](const std::string& t) { debug.push_back(t); });
    win::setTraceListener([&](const std::string& t) { trace.push_back(t); });
    OutputDebugStringA("GGA checksum error");
    TRACE_HOOK("Failed reading ini file");
    ASSERT_EQ(debug.size(), 1u);
    EXPECT_EQ(debug[0], "GGA checksum error");
    ASSERT_EQ(trace.size(), 1u);
    EXPECT_NE(trace[0].find("MessagesTest.cpp("), std::string::npos);
    EXPECT_NE(trace[0].find("): Failed reading ini file"), std::string::npos);
}
