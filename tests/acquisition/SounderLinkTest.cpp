// The sounder link on pseudo-terminals in a temporary data root: the ports opened from the port
// file, readings framed and taken once, the bytes of each command, purging, and missing or
// vanishing ports reported without holding up the hand-off.
#include "PseudoTerminal.h"
#include "TempDataRoot.h"
#include "acquisition/JamTable.h"
#include "acquisition/SounderLink.h"
#include "platform/messages.h"
#include "platform/profile.h"

#include <atomic>
#include <future>
#include <gtest/gtest.h>
#include <termios.h>
#include <thread>

using namespace std::chrono_literals;

namespace {

std::vector<std::string> boxTexts()
{
    std::vector<std::string> texts;
    for (const auto& box : win::scripted::boxes())
        texts.push_back(box.caption + ": " + box.text);
    return texts;
}

// Waits up to `wait` for the hand-off to find a reading.
bool takeReading(SwathReading& r, std::chrono::milliseconds wait = 2s)
{
    auto deadline = std::chrono::steady_clock::now() + wait;
    while (std::chrono::steady_clock::now() < deadline) {
        if (TakeSounderReading(&r))
            return true;
        std::this_thread::sleep_for(10ms);
    }
    return false;
}

struct SounderLinkTest : ::testing::Test {
    TempDataRoot root;
    PseudoTerminal nav, sounder;

    void SetUp() override
    {
        win::scripted::listen();
        nav.linkAs(root.root(), 2);
        sounder.linkAs(root.root(), 4);
        TempDataRoot::writeFile(root.driveC() / "varnel" / "comms.ini", "2 4\n");
    }
    void TearDown() override
    {
        EXPECT_EQ(CloseLinks(nullptr), 0);
        win::scripted::stopListening();
    }
};

TEST_F(SounderLinkTest, OpensBothPortsFromThePortFileAndFramesReadings)
{
    ASSERT_EQ(OpenLinks(nullptr), 0);
    EXPECT_TRUE(win::scripted::boxes().empty()) << ::testing::PrintToString(boxTexts());
    ASSERT_TRUE(SounderPortOpen() && NavPortOpen());

    termios tio{};
    tcgetattr(sounder.slaveFd(), &tio);
    EXPECT_EQ(cfgetospeed(&tio), speed_t(B9600));
    tcgetattr(nav.slaveFd(), &tio);
    EXPECT_EQ(cfgetospeed(&tio), speed_t(B4800));
    char baud[16];
    GetPrivateProfileStringA("Sedrix", "Baud", "", baud, sizeof baud, "VARNEL.INI");
    EXPECT_STREQ(baud, "9600");

    sounder.write("xx\r\nB0500F0100S0200\r\n");
    SwathReading r{};
    ASSERT_TRUE(takeReading(r));
    EXPECT_EQ(+r.transducer, -2);
    EXPECT_EQ(LastSounderLine(), "B0500F0100S0200");
    EXPECT_FALSE(TakeSounderReading(&r)) << "a line is taken once";
}

TEST_F(SounderLinkTest, CommandsGoOutAsTheUnitExpectsThem)
{
    ASSERT_EQ(OpenLinks(nullptr), 0);
    struct Case {
        std::function<int()> send;
        std::string bytes;
    } cases[] = {
        {[] { return SelectTransducer(-2); }, "a1\r"},
        {[] { return SelectTransducer(3); }, "a6\r"},
        {[] { return ArmTransducer(); }, "o"},
        {[] { return Ping(); }, "p"},
        {[] { return PingAlternate(); }, "P"},
        {[] { return SetExtControl(1); }, "c1"},
        {[] { return SetVerbose(0); }, "v0"},
        {[] { return SetPldDigitalBoard(1); }, "d1"},
        {[] { return SetHpControl(0); }, "h0"},
        {[] { return SetPri(500); }, "i500\r"},
        {[] { return SetTxPulseWidth(100); }, "w100\r"},
        {[] {
             JamEntry table[JAM_ENTRIES];
             for (auto& e : table)
                 e = DEFAULT_JAM_ENTRY;
             table[6].blanking = 21;
             return SendJamValues(table, -2);
         },
         "j21\r66\r99\r99\r199\r191\r"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(c.send(), int(c.bytes.size()));
        EXPECT_EQ(sounder.read(1s, c.bytes.size()), c.bytes);
    }
}

TEST_F(SounderLinkTest, PurgeDropsQueuedAndHalfFramedInput)
{
    ASSERT_EQ(OpenLinks(nullptr), 0);
    sounder.write("C0001F0001S00");
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(SounderPurge(PURGE_RXCLEAR), 0);
    sounder.write("01\r\n");
    SwathReading r{};
    EXPECT_FALSE(takeReading(r, 400ms)) << "the rest of a purged line is no reading";
}

TEST_F(SounderLinkTest, MissingPortsAreReportedAndCommandsFail)
{
    std::filesystem::remove(root.driveC() / "varnel" / "comms.ini");
    // Without the port file COM1 and COM3 are used; here they name devices that are not there.
    for (const char* com : {"com1", "com3"})
        std::filesystem::create_symlink(root.root() / "unplugged", root.root() / "dosdevices" / com);
    ASSERT_EQ(OpenLinks(nullptr), 0);
    auto texts = boxTexts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0], "OpenComm: Failed opening COM1");
    EXPECT_EQ(texts[1], "OpenComm: Failed opening COM3 for Sedrix Swath Input/Output");
    EXPECT_FALSE(SounderPortOpen());
    EXPECT_EQ(Ping(), -1);
    EXPECT_EQ(SounderPurge(PURGE_RXCLEAR), 1);
}

TEST_F(SounderLinkTest, UnreadablePortFileKeepsGoing)
{
    TempDataRoot::writeFile(root.driveC() / "varnel" / "comms.ini", "two four\n");
    ASSERT_EQ(OpenLinks(nullptr), 0);
    auto texts = boxTexts();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0], ": Failed reading comms file");
}

TEST_F(SounderLinkTest, VanishedSounderIsReportedOnceAndTheRestRuns)
{
    ASSERT_EQ(OpenLinks(nullptr), 0);
    sounder.write("D0123F0456S0777\r\n");
    SwathReading r{};
    ASSERT_TRUE(takeReading(r));
    sounder.closeMaster();
    auto deadline = std::chrono::steady_clock::now() + 2s;
    while (win::scripted::boxes().empty() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(20ms);
    std::this_thread::sleep_for(300ms);
    EXPECT_LE(Ping(), 0);
    EXPECT_LE(SelectTransducer(1), 0);
    auto texts = boxTexts();
    ASSERT_EQ(texts.size(), 1u) << ::testing::PrintToString(texts);
    EXPECT_EQ(texts[0], "Serial Port: Lost COM4 for Sedrix Swath Input/Output: the device has gone away");
    EXPECT_EQ(+r.transducer, 0) << "the reading taken before stays";
    EXPECT_TRUE(NavPortOpen());
}

// Boxes as the GUI thread shows them: while one is up its event loop runs on, and so does the
// chart timer that polls the hand-off.
struct PollingWhileShown : win::MessageBoxBackend {
    std::atomic<int> shown{0};
    std::atomic<bool> handOffAnswered{false};
    std::future<int> poll; // kept: a hand-off that never returns must not block the box
    SwathReading taken{};
    int show(HWND, const std::string&, const std::string&, UINT type) override
    {
        poll = std::async(std::launch::async, [this] { return TakeSounderReading(&taken); });
        handOffAnswered = poll.wait_for(2s) == std::future_status::ready;
        ++shown;
        return win::firstButton(type);
    }
    void beep(UINT) override {}
};

TEST_F(SounderLinkTest, TheLossReportDoesNotHoldUpTheHandOff)
{
    ASSERT_EQ(OpenLinks(nullptr), 0);
    auto boxes = std::make_shared<PollingWhileShown>();
    win::setMessageBoxBackend(boxes);
    sounder.write("E0123F0456S0777\r\n");
    auto deadline = std::chrono::steady_clock::now() + 2s;
    while (!sounderFramer.fReadingReady && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(10ms);
    ASSERT_TRUE(sounderFramer.fReadingReady) << "a line waits for the hand-off";
    sounder.closeMaster();
    for (deadline = std::chrono::steady_clock::now() + 4s; !boxes->shown && std::chrono::steady_clock::now() < deadline;)
        std::this_thread::sleep_for(20ms);
    ASSERT_EQ(boxes->shown, 1);
    EXPECT_TRUE(boxes->handOffAnswered);
    EXPECT_EQ(boxes->poll.get(), 1);
    EXPECT_EQ(+boxes->taken.transducer, 1) << "the line that came before the loss";
    win::scripted::listen();
}

} // namespace
