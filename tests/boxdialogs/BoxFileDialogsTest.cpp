// The box-file open and save dialogs through their headless path: the chosen file loads or
// saves, the slot takes its name, the current directory returns to the program folder, a file
// off the drives is refused, and a failed save keeps the file saved before.
#include "BoxEditorHost.h"
#include "classification/BoxDialogs.h"
#include "frame/Inifile.h"
#include "platform/files.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

bool sameBox(const BoxFile& a, const BoxFile& b)
{
    return a.e1Max == b.e1Max && a.e1Min == b.e1Min && a.e2Max == b.e2Max && a.e2Min == b.e2Min &&
           std::memcmp(a.grid, b.grid, sizeof a.grid) == 0 &&
           std::memcmp(a.classNames, b.classNames, sizeof a.classNames) == 0 &&
           a.typeCount == b.typeCount && std::memcmp(a.typeNames, b.typeNames, sizeof a.typeNames) == 0;
}

class BoxFileDialogsTest : public BoxEditorHost {
protected:
    void SetUp() override
    {
        BoxEditorHost::SetUp();
        nBoxFileSlot = 0;
        std::snprintf(boxFileNames[0], MAX_PATH, "default.box");
        fs::create_directories(boxFolder());
        fs::copy_file(fs::path(DEMO_DATA_DIR) / "demo.box", boxFolder() / "demo.box");
        // Elsewhere, so that the dialogs are seen to put it back.
        ASSERT_TRUE(win::SetCurrentDirectory("c:\\"));
    }
    fs::path boxFolder() const { return home.driveC() / "varnel" / "BoxFiles"; }
    static void choose(const char* title, intptr_t code, const std::string& name)
    {
        win::scripted::queueDialog(title, {code, {{IDC_FILE_NAME, name}}});
    }
    static std::string slotKey()
    {
        char name[MAX_PATH] = "";
        GetCurrentBoxFile(name);
        return name;
    }
};

TEST_F(BoxFileDialogsTest, LoadsTheChosenFileIntoTheBoxAndTheSlot)
{
    BoxFile expected;
    ASSERT_EQ(LoadBoxFile("c:\\varnel\\BoxFiles\\demo.box", nullptr, &expected, 1), 1);
    const std::string host = (boxFolder() / "demo.box").string();
    for (const std::string& name : {std::string("demo.box"), std::string("c:\\varnel\\boxfiles\\DEMO.BOX"), host}) {
        SCOPED_TRACE(name);
        FillDefaultBox(&boxFile);
        std::snprintf(boxFileNames[0], MAX_PATH, "default.box");
        choose(LOAD_BOXFILE_TITLE, IDOK, name);
        EXPECT_EQ(ChooseAndLoadBoxFile(sedrixWindow, &boxFile), 1);
        EXPECT_TRUE(sameBox(boxFile, expected));
        EXPECT_STRCASEEQ(boxFileNames[0], "demo.box");
        EXPECT_STRCASEEQ(slotKey().c_str(), "demo.box");
        EXPECT_EQ(win::CurrentDirectory(), "C:\\varnel");
    }
    EXPECT_TRUE(win::scripted::boxes().empty());
}

TEST_F(BoxFileDialogsTest, CancelledOrRefusedLoadsNothing)
{
    const fs::path outside = fs::temp_directory_path() / ("outside-" + std::to_string(getpid()) + ".box");
    fs::copy_file(boxFolder() / "demo.box", outside, fs::copy_options::overwrite_existing);
    struct Case {
        const char* what;
        intptr_t code;
        std::string name;
        bool refused;
    };
    const Case cases[] = {
        {"cancelled", IDCANCEL, "demo.box", false},
        {"no name", IDOK, "", false},
        {"off the drives", IDOK, outside.string(), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        win::scripted::clear();
        FillDefaultBox(&boxFile);
        choose(LOAD_BOXFILE_TITLE, c.code, c.name);
        EXPECT_EQ(ChooseAndLoadBoxFile(sedrixWindow, &boxFile), 0);
        BoxFile builtIn;
        FillDefaultBox(&builtIn);
        EXPECT_TRUE(sameBox(boxFile, builtIn));
        EXPECT_STREQ(boxFileNames[0], "default.box");
        EXPECT_EQ(win::CurrentDirectory(), "C:\\varnel");
        auto boxes = win::scripted::boxes();
        ASSERT_EQ(boxes.size(), c.refused ? 1u : 0u);
        if (c.refused) {
            EXPECT_EQ(boxes[0].caption, LOAD_BOXFILE_TITLE);
            EXPECT_EQ(boxes[0].text, "\"" + outside.string() +
                                         "\" lies on none of the program's drives; choose a box file on one of them.");
        }
    }
    fs::remove(outside);
}

TEST_F(BoxFileDialogsTest, SavesUnderTheChosenNameWithTheBoxExtension)
{
    boxFile.grid[3][4] = 7;
    std::snprintf(boxFile.classNames[7], BOX_NAME_SIZE, "Rock");
    fs::create_directories(home.driveC() / "varnel" / "my.boxes");
    struct Case {
        std::string name;
        fs::path file;
    };
    const Case cases[] = {
        {"mine", boxFolder() / "mine.box"},
        {"c:\\varnel\\my.boxes\\other", home.driveC() / "varnel" / "my.boxes" / "other.box"},
        {"kept.BOX", boxFolder() / "kept.BOX"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        choose(SAVE_BOXFILE_TITLE, IDOK, c.name);
        EXPECT_EQ(ChooseAndSaveBoxFile(sedrixWindow, &boxFile), 0);
        ASSERT_TRUE(fs::exists(c.file));
        EXPECT_EQ(fs::file_size(c.file), size_t(BOX_FILE_BYTES));
        // The slot keeps the bare name, as it names files of the box-file folder.
        EXPECT_EQ(boxFileNames[0], c.file.filename().string());
        EXPECT_EQ(slotKey(), c.file.filename().string());
        EXPECT_EQ(win::CurrentDirectory(), "C:\\varnel");
        BoxFile back;
        ASSERT_EQ(LoadBoxFile(win::DrivePathOf(c.file)->c_str(), nullptr, &back, 1), 1);
        EXPECT_TRUE(sameBox(back, boxFile));
    }
    EXPECT_TRUE(win::scripted::boxes().empty());

    choose(SAVE_BOXFILE_TITLE, IDCANCEL, "never");
    EXPECT_EQ(ChooseAndSaveBoxFile(sedrixWindow, &boxFile), BOXFILE_NOT_CHOSEN);
    EXPECT_FALSE(fs::exists(boxFolder() / "never.box"));
}

TEST_F(BoxFileDialogsTest, AFailedSaveIsReportedAndKeepsTheFileSavedBefore)
{
    const std::string before = TempDataRoot::readFile(boxFolder() / "demo.box");
    fs::create_directories(boxFolder() / "taken.box");
    struct Case {
        const char* what;
        const char* name;
        rlim_t fileSizeLimit;
        std::string message;
    };
    const Case cases[] = {
        {"disk full", "demo.box", 1000,
         "Failed writing boxfile \"demo.box\": File too large. The file on disk is unchanged."},
        {"a folder in its place", "taken.box", RLIM_INFINITY,
         "Failed saving boxfile \"taken.box\". Is it a read-only file?"},
        {"no such folder", "c:\\varnel\\gone\\new", RLIM_INFINITY,
         "Failed saving boxfile \"c:\\varnel\\gone\\new.box\". Is it a read-only file?"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        win::scripted::clear();
        choose(SAVE_BOXFILE_TITLE, IDOK, c.name);
        int result;
        {
            ScopedFileSizeLimit limit(c.fileSizeLimit);
            result = ChooseAndSaveBoxFile(sedrixWindow, &boxFile);
        }
        EXPECT_EQ(result, 5);
        auto boxes = win::scripted::boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, c.message);
        EXPECT_EQ(boxes[0].caption, "Error");
        EXPECT_EQ(boxes[0].type & MB_ICONMASK, MB_ICONSTOP);
        EXPECT_EQ(TempDataRoot::readFile(boxFolder() / "demo.box"), before);
        EXPECT_STREQ(boxFileNames[0], "default.box");
        EXPECT_EQ(win::CurrentDirectory(), "C:\\varnel");
    }
    // Nothing half-written is left beside them.
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(boxFolder()))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"demo.box", "taken.box"}));
}

} // namespace
