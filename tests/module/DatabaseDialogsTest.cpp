// The catalogue's two dialogs as real windows, driven headless as the user would: the select
// window's list holds the databases by name, and the naming window stays open for a refused name.
#include "DatabaseDialogs.h"
#include "TempDataRoot.h"
#include "database/Catalogue.h"
#include "database/CurrentTrack.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/profile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

std::string databaseName(const std::string& folder)
{
    char value[256];
    GetPrivateProfileStringA("Names", "Name", "<absent>", value, sizeof value,
                             ("c:\\varnel\\" + folder + "\\multidb.ini").c_str());
    return value;
}

class DatabaseDialogs : public ::testing::Test {
protected:
    void SetUp() override { win::scripted::listen(); }
    void TearDown() override
    {
        SetNewDatabaseDialog(nullptr);
        win::scripted::stopListening();
    }
    TempDataRoot root;
};

TEST_F(DatabaseDialogs, SelectWindowListsTheDatabasesByName)
{
    ASSERT_EQ(DBInitialiseDatabase('C'), 1);
    ASSERT_EQ(win::mkdir("c:\\varnel\\survey2"), 0);
    WritePrivateProfileStringA("Names", "Name", "Survey Two", "c:\\varnel\\survey2\\multidb.ini");

    win::scripted::queueDialog(SELECT_DATABASE_DIALOG, {IDOK, {{IDC_DATABASE_LIST, "Survey Two"}}});
    const char* chosen = RunSelectDatabaseDialog(nullptr);
    ASSERT_NE(chosen, nullptr);
    EXPECT_STREQ(chosen, "survey2");

    // A name the list does not hold leaves the current database selected; Cancel chooses none.
    win::scripted::queueDialog(SELECT_DATABASE_DIALOG, {IDOK, {{IDC_DATABASE_LIST, "Nowhere"}}});
    EXPECT_EQ(RunSelectDatabaseDialog(nullptr), nullptr);
    win::scripted::queueDialog(SELECT_DATABASE_DIALOG, {IDCANCEL, {}});
    EXPECT_EQ(RunSelectDatabaseDialog(nullptr), nullptr);
}

TEST_F(DatabaseDialogs, NamingWindowStaysOpenForARefusedNameAndProposesOneAfterInstalling)
{
    InstallDatabaseDialogs();
    win::scripted::queueDialog(NEW_DATABASE_DIALOG, {IDOK, {{IDC_DATABASE_NAME, "untitled"}}});
    win::scripted::queueDialog(NEW_DATABASE_DIALOG, {IDOK, {{IDC_DATABASE_NAME, "Channel survey"}}});
    ASSERT_EQ(DBInitialiseDatabase('C'), 1);
    EXPECT_EQ(databaseName("database"), "Channel survey");
    EXPECT_EQ(win::scripted::boxes().size(), 1u);  // the refusal of "untitled"

    // Unanswered, the window is confirmed with what it shows: after installing, a proposed name.
    std::filesystem::remove_all(root.driveC() / "varnel" / "database");
    WritePrivateProfileStringA("INSTALL", "Just installed", "1", "VARNEL.INI");
    ASSERT_EQ(DBInitialiseDatabase('C'), 1);
    EXPECT_EQ(databaseName("database"), "Original Database");

    std::filesystem::remove_all(root.driveC() / "varnel" / "database");
    win::scripted::queueDialog(NEW_DATABASE_DIALOG, {IDCANCEL, {}});
    ASSERT_EQ(DBInitialiseDatabase('C'), 1);
    EXPECT_EQ(databaseName("database"), "<absent>");
}

} // namespace
