// Turning saving off with a recorded point, against a fresh database in a temporary data root: the
// stop question cancelled, answered no or yes, a store into another database that works or fails,
// and the working-folder warning following its setting.
#include "TempDataRoot.h"
#include "database/CurrentTrack.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/profile.h"
#include "recording/RecordingControl.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

struct SavingSwitchTest : ::testing::Test {
    TempDataRoot root;

    void SetUp() override
    {
        win::scripted::listen();
        TempDataRoot::writeFile(root.windowsDir() / "VARNEL.INI", "[Files]\nCurrentRawLog=nul\n");
        ASSERT_EQ(DBInitialiseDatabase('C'), 1);
        win::scripted::clear();
        win::scripted::queueAnswer(IDYES);
        StartSaving(nullptr);
        ASSERT_EQ(globaltrackstatus.field[TS_SAVING], 1);
        recordOnePoint();
        win::scripted::clear();
    }
    void TearDown() override
    {
        globaltrackstatus.field[TS_SAVING] = 0;
        win::scripted::stopListening();
    }
    static void recordOnePoint()
    {
        TrackPoint point{12.5f, 1.0f, 0.5f, 577000000, 118400000, 3};
        CurrentTrackBlock block{&point, 1, 0, 0};
        uint32_t time = 1700000000;
        TimeBlock times{&time, 1, 0};
        globalcurrenttrackinfos[0] = TrackInfo{1, point.lon, point.lat, point.lon, point.lat, 0, 0, 0, 0, 0, 0, 0};
        DBSaveCurrentTrackInfo(&globalcurrenttrackinfos[0]);
        ASSERT_EQ(DBAddPointsToCurrentTrack(&block), 1);
        ASSERT_EQ(DBAddTimesToCurrentTrack(&times), 1);
    }
    static int64_t storedTracks() { return win::fileSize("c:\\varnel\\database\\ovl00001\\tracks.inf") / 42 - 1; }
};

TEST_F(SavingSwitchTest, CancellingTheStopQuestionChangesNothing)
{
    win::scripted::queueAnswer(IDCANCEL);
    EXPECT_EQ(StopSaving(nullptr, 1), 1);
    auto boxes = win::scripted::boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Are you sure you want to stop saving?");
    EXPECT_EQ(boxes[0].caption, "Varnel Swath");
    EXPECT_EQ(globaltrackstatus.field[TS_SAVING], 1);
    EXPECT_TRUE(win::scripted::dialogsOpened().empty());
}

TEST_F(SavingSwitchTest, NoStopsSavingWithoutStoring)
{
    globaltrackstatus.field[TS_PAST_HANDLE] = 0;
    win::scripted::queueDialog("Turn Saving OFF", {IDNO, {}});
    EXPECT_EQ(StopSaving(nullptr, 0), 0);
    EXPECT_EQ(globaltrackstatus.field[TS_SAVING], 0);
    EXPECT_EQ(globaltrackstatus.field[TS_PAST_HANDLE], 0);
    EXPECT_EQ(storedTracks(), 0);
}

TEST_F(SavingSwitchTest, YesStoresTheTrackAsThePastTrack)
{
    win::scripted::queueDialog("Turn Saving OFF", {IDYES, {}});
    EXPECT_EQ(StopSaving(nullptr, 0), 0);
    EXPECT_EQ(globaltrackstatus.field[TS_SAVING], 0);
    EXPECT_EQ(storedTracks(), 1);
    EXPECT_EQ(globaltrackstatus.field[TS_PAST_HANDLE], 2);
    EXPECT_EQ(globalpasttrackinfo.handle, 2u);
}

TEST_F(SavingSwitchTest, AnotherDatabaseTakesTheTrack)
{
    // A second database: a copy of the active one, named in its catalogue entry.
    std::filesystem::copy(*win::HostPath("c:\\varnel\\database"),
                          *win::HostPath("c:\\varnel") / "survey2", std::filesystem::copy_options::recursive);
    WritePrivateProfileStringA("Names", "Name", "Survey Two", "c:\\varnel\\survey2\\multidb.ini");
    const int64_t before = win::fileSize("c:\\varnel\\survey2\\ovl00001\\tracks.inf");
    win::scripted::queueDialog("Turn Saving OFF", {IDYES, {{IDC_SAVE_DATABASE_FOLDER, "survey2"},
                                                           {IDC_SAVE_DATABASE_NAME, "Survey Two"}}});
    EXPECT_EQ(StopSaving(nullptr, 0), 0);
    EXPECT_EQ(globaltrackstatus.field[TS_SAVING], 0);
    EXPECT_EQ(storedTracks(), 0) << "nothing stored in the active database";
    EXPECT_EQ(win::fileSize("c:\\varnel\\survey2\\ovl00001\\tracks.inf"), before + 42);
}

TEST_F(SavingSwitchTest, AFailedStoreIntoAnotherDatabaseLeavesSavingOn)
{
    // The other database's folder holds no track overlay: the store fails.
    ASSERT_EQ(win::mkdir("c:\\varnel\\survey2"), 0);
    win::scripted::queueDialog("Turn Saving OFF", {IDYES, {{IDC_SAVE_DATABASE_FOLDER, "survey2"},
                                                           {IDC_SAVE_DATABASE_NAME, "Survey Two"}}});
    EXPECT_EQ(StopSaving(nullptr, 0), 0);
    EXPECT_EQ(globaltrackstatus.field[TS_SAVING], 1);
    EXPECT_FALSE(win::scripted::boxes().empty()); // the store said why
    EXPECT_EQ(storedTracks(), 0);
}

TEST_F(SavingSwitchTest, TheDirectoryWarningFollowsItsSetting)
{
    struct Case {
        const char* setting;
        bool warned;
    } cases[] = {{nullptr, false}, {"0", true}, {"1", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setting ? c.setting : "missing");
        WritePrivateProfileStringA("DEBUG", "InhibitCWDWarning", c.setting, "VARNEL.INI");
        ASSERT_EQ(win::mkdir("c:\\elsewhere") == 0 || win::isDirectory("c:\\elsewhere"), true);
        ASSERT_TRUE(win::SetCurrentDirectory("c:\\elsewhere"));
        win::scripted::clear();
        win::scripted::queueAnswer(IDNO);
        char* name = nullptr;
        win::scripted::queueDialog("Turn Saving OFF", {IDCANCEL, {}});
        EXPECT_EQ(DoDialogSaveTrack(&name), IDCANCEL);
        EXPECT_EQ(win::CurrentDirectory(), "C:\\varnel");
        bool warned = false;
        for (const auto& box : win::scripted::boxes())
            warned |= box.caption == "Error, please inform Tarnley";
        EXPECT_EQ(warned, c.warned);
    }
    EXPECT_EQ(DoDialogSaveTrack(nullptr), 0);
}

} // namespace
