// The raw data log in a temporary data root: GGA sentences logged with the newest reading of
// transducer 0, NUL for no log, a cancelled choice of file still emptying the named one, and a
// file that cannot be opened.
#include "TempDataRoot.h"
#include "platform/messages.h"
#include "platform/profile.h"
#include "recording/RawLog.h"
#include "recording/VesselState.h"

#include <gtest/gtest.h>

namespace {

struct RawLogTest : ::testing::Test {
    TempDataRoot root;
    void SetUp() override { win::scripted::listen(); }
    void TearDown() override
    {
        RawLogSwitch(nullptr, 0);
        win::scripted::stopListening();
    }
    void chooseFile(const std::string& name, intptr_t code = IDOK)
    {
        win::scripted::queueDialog("Select Raw Logging File", {code, {{1152, name}}});
    }
};

TEST_F(RawLogTest, LogsGgaSentencesWithTheNewestTransducerZeroReading)
{
    chooseFile("c:\\varnel\\raw.txt");
    ASSERT_EQ(RawLogSwitch(nullptr, 1), 0);
    EXPECT_EQ(RawLogSwitch(nullptr, 1), 1) << "already open";
    lastSlotPoints[0] = TrackPoint{12.34f, 0.5f, 1.5f, 0, 0, 7};
    EXPECT_EQ(RawLog("$GPGGA,120000,5130.5,N,00012.25,W,1,08\r\n"), 0);
    ASSERT_EQ(RawLogSwitch(nullptr, 0), 0);
    EXPECT_EQ(RawLogSwitch(nullptr, 0), 1) << "nothing open";
    EXPECT_EQ(TempDataRoot::readFile(root.driveC() / "varnel" / "raw.txt"),
              "$GPGGA,120000,5130.5,N,00012.25,W,1,08,12.3,0.250,2.250,7\n");
    char name[256];
    GetPrivateProfileStringA("Files", "CurrentRawLog", "", name, sizeof name, "VARNEL.INI");
    EXPECT_STREQ(name, "c:\\varnel\\raw.txt");
}

TEST_F(RawLogTest, NulSwitchesLoggingOffWithoutADialog)
{
    WritePrivateProfileStringA("Files", "CurrentRawLog", "NUL", "VARNEL.INI");
    EXPECT_EQ(RawLogSwitch(nullptr, 1), 0);
    EXPECT_TRUE(win::scripted::dialogsOpened().empty());
    EXPECT_EQ(RawLog("$GPGGA,1\r\n"), 1);
    EXPECT_EQ(RawLogSwitch(nullptr, 0), 0);
}

TEST_F(RawLogTest, CancelledDialogStillTruncatesTheNamedFile)
{
    WritePrivateProfileStringA("Files", "CurrentRawLog", "c:\\varnel\\old.txt", "VARNEL.INI");
    TempDataRoot::writeFile(root.driveC() / "varnel" / "old.txt", "yesterday\n");
    chooseFile("c:\\varnel\\other.txt", IDCANCEL);
    ASSERT_EQ(RawLogSwitch(nullptr, 1), 0);
    RawLogSwitch(nullptr, 0);
    EXPECT_EQ(TempDataRoot::readFile(root.driveC() / "varnel" / "old.txt"), "");
}

TEST_F(RawLogTest, UnopenableFileGivesTheErrorNumber)
{
    chooseFile("q:\\nowhere\\raw.txt");
    EXPECT_NE(RawLogSwitch(nullptr, 1), 0);
    EXPECT_EQ(RawLog("$GPGGA\r\n"), 1);
}

} // namespace
