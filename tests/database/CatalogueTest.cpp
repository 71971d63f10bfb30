// The catalogue of databases: naming a new one, listing and selecting database folders, and the
// name start-up asks for, against a fresh database in a temporary data root.
#include "DatabaseFixture.h"

#include "database/Catalogue.h"
#include "platform/profile.h"

namespace fs = std::filesystem;
using Boxes = std::vector<std::string>;

namespace {

class Catalogue : public DatabaseTest {
protected:
    fs::path root() const { return home.driveC() / "varnel"; }
    void makeDatabase(const std::string& folder, const char* name = nullptr)
    {
        fs::create_directories(root() / folder);
        if (name)
            setName(folder, "Name", name);
    }
    static void setName(const std::string& folder, const char* key, const char* value)
    {
        WritePrivateProfileStringA("Names", key, value, ("c:\\varnel\\" + folder + "\\multidb.ini").c_str());
    }
    static std::string name(const std::string& folder, const char* key)
    {
        char value[256];
        GetPrivateProfileStringA("Names", key, "<absent>", value, sizeof value,
                                 ("c:\\varnel\\" + folder + "\\multidb.ini").c_str());
        return value;
    }
    static win::scripted::DialogResult answer(intptr_t code, int control = 0, const std::string& text = "")
    {
        win::scripted::DialogResult result;
        result.code = code;
        if (control)
            result.controls[control] = text;
        return result;
    }
};

TEST_F(Catalogue, NamingRefusesUntitledAndTakenNames)
{
    for (const char* refused : {"untitled", "UnTitled"})
        EXPECT_EQ(DBNameNewDatabase(nullptr, refused, "DATABASE"), 1);
    fs::create_directories(root() / "IMPORT");
    EXPECT_EQ(DBNameNewDatabase(nullptr, "IMPORT", "DATABASE"), 1);
    EXPECT_EQ(DBNameNewDatabase(nullptr, "Fine name", "nowhere"), 1);
    const std::string untitled = "Error: \"UNTITLED\" is not allowed as a database name. Please choose another name";
    EXPECT_EQ(boxTexts(), (Boxes{untitled, untitled,
                                 "Error: Can't create folder for database: name \"IMPORT\" already exists. "
                                 "Please choose another name"}));
    for (const auto& box : win::scripted::boxes())
        EXPECT_EQ(box.type & MB_ICONMASK, MB_ICONHAND);
    EXPECT_EQ(name("database", "Name"), "<absent>");

    ASSERT_EQ(DBNameNewDatabase(nullptr, "North Sea 2026", "DATABASE"), 0);
    EXPECT_EQ(name("database", "Name"), "North Sea 2026");
    EXPECT_EQ(name("database", "Directory"), "North Sea 2026");
    EXPECT_FALSE(fs::exists(root() / "North Sea 2026"));
}

TEST_F(Catalogue, ListNamesEveryPlainFolder)
{
    makeDatabase("Other");                        // never named: its folder name
    makeDatabase("survey", "Dogger Bank");
    makeDatabase("BoxFiles");                     // reserved
    makeDatabase("locked", "Locked");
    fs::permissions(root() / "locked", fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    DatabaseList list = BuildDatabaseList(nullptr);
    EXPECT_EQ(list.names, (std::vector<std::string>{"Dogger Bank", "Other", "untitled"}));
    EXPECT_EQ(list.current, "untitled");
    EXPECT_EQ(name("Other", "Name"), "Other");
    EXPECT_EQ(name("Other", "Directory"), "Other");
    EXPECT_EQ(name("BoxFiles", "Directory"), "BoxFiles");
    EXPECT_EQ(name("BoxFiles", "Name"), "<absent>");
    EXPECT_EQ(name("database", "Name"), "untitled");
    EXPECT_EQ(DBFindDatabaseFolder(nullptr, "Locked"), 1);
    fs::permissions(root() / "locked", fs::perms::owner_write, fs::perm_options::add);

    // The active database named at creation shows under its name.
    setName("database", "Name", "Home waters");
    list = BuildDatabaseList(nullptr);
    EXPECT_EQ(list.current, "Home waters");
    EXPECT_TRUE(win::scripted::boxes().empty());
}

TEST_F(Catalogue, ReservedFoldersInAnySpellingAreNoDatabases)
{
    for (const char* folder : {"TestData", "import", "boxfiles"})
        makeDatabase(folder);
    makeDatabase("TESTDATA2");  // only the whole name is reserved
    DatabaseList list = BuildDatabaseList(nullptr);
    EXPECT_EQ(list.names, (std::vector<std::string>{"TESTDATA2", "untitled"}));
    for (const char* folder : {"TestData", "import", "boxfiles"}) {
        EXPECT_EQ(DBFindDatabaseFolder(nullptr, folder), 1) << folder;
        EXPECT_EQ(name(folder, "Name"), "<absent>") << folder;
    }
}

TEST_F(Catalogue, SelectingADatabaseGivesItsFolder)
{
    makeDatabase("Other", "Dogger Bank");
    makeDatabase("twin", "Dogger Bank");
    setName("database", "Name", "Home waters");
    char folder[MAX_PATH];
    ASSERT_EQ(DBFindDatabaseFolder(folder, "Dogger Bank"), 0);
    EXPECT_STREQ(folder, "Other");  // the first folder the search returns
    char dbName[256];
    ASSERT_EQ(DBGetDatabaseName(dbName, "OTHER"), 0);
    EXPECT_STREQ(dbName, "Dogger Bank");
    EXPECT_EQ(DBGetDatabaseName(dbName, "missing"), 1);

    win::scripted::queueDialog(SELECT_DATABASE_DIALOG, answer(IDOK, IDC_NEW_SELECTION, "Dogger Bank"));
    const char* chosen = DBSelectDatabaseDialog(nullptr);
    ASSERT_NE(chosen, nullptr);
    EXPECT_STREQ(chosen, "Other");
    win::scripted::queueDialog(SELECT_DATABASE_DIALOG, answer(IDOK, IDC_NEW_SELECTION, "Home waters"));
    EXPECT_EQ(DBSelectDatabaseDialog(nullptr), nullptr);
    win::scripted::queueDialog(SELECT_DATABASE_DIALOG, answer(IDCANCEL));
    EXPECT_EQ(DBSelectDatabaseDialog(nullptr), nullptr);
}

TEST_F(Catalogue, StartUpAsksForTheNewDatabasesName)
{
    fs::remove_all(root() / "database");
    win::scripted::queueDialog(NEW_DATABASE_DIALOG, answer(IDOK, IDC_DATABASE_NAME, "untitled"));
    win::scripted::queueDialog(NEW_DATABASE_DIALOG, answer(IDOK, IDC_DATABASE_NAME, "Channel survey"));
    ASSERT_EQ(DBInitialiseDatabase('C'), 1);
    EXPECT_EQ(name("database", "Name"), "Channel survey");
    EXPECT_EQ(boxTexts().size(), 1u);  // the refusal; the dialog stayed open for the second name

    // Cancelled, the database stays untitled; a fresh installation proposes a name.
    fs::remove_all(root() / "database");
    win::scripted::queueDialog(NEW_DATABASE_DIALOG, answer(IDCANCEL));
    ASSERT_EQ(DBInitialiseDatabase('C'), 1);
    EXPECT_EQ(name("database", "Name"), "<absent>");
    WritePrivateProfileStringA("INSTALL", "Just installed", "1", "VARNEL.INI");
    char folder[256] = "database";
    NewDatabaseFields fields = OpenNewDatabaseFields(folder);
    EXPECT_EQ(fields.name, "Original Database");
    EXPECT_EQ(DBNewDatabaseDialog(nullptr, nullptr), 0);

    // An installed dialog is the one start-up runs.
    SetNewDatabaseDialog([](HWND owner, char* buffer) {
        OpenNewDatabaseFields(buffer);
        return DBNameNewDatabase(owner, "From the window", "DATABASE") == 0 ? 1 : 2;
    });
    fs::remove_all(root() / "database");
    ASSERT_EQ(DBInitialiseDatabase('C'), 1);
    SetNewDatabaseDialog(nullptr);
    EXPECT_EQ(name("database", "Name"), "From the window");
}

} // namespace
