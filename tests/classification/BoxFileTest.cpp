// Box files: classifying by the grid up to its edges, saving and loading in a temporary data root
// (wrong sizes, bad bounds, a pipe, a full disk, a read-only folder), the fallbacks at start-up,
// and the limit steps and type-name rules of the editor.
#include "ScopedGuards.h"
#include "TempDataRoot.h"
#include "classification/BoxFile.h"
#include "frame/Inifile.h"
#include "platform/messages.h"
#include "platform/profile.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

struct BoxFileTest : ::testing::Test {
    TempDataRoot root;
    BoxFile box;
    std::filesystem::path boxFolder = root.driveC() / "varnel" / "BoxFiles";

    void SetUp() override
    {
        win::scripted::listen();
        nBoxFileSlot = 0;
        std::filesystem::create_directories(boxFolder);
        FillDefaultBox(&box);
        box.e1Min = 0.5f;
        box.e1Max = 2.5f;
        box.e2Min = 1.0f;
        box.e2Max = 3.0f;
        for (int c = 0; c < BOX_CELLS; ++c)
            for (int r = 0; r < BOX_CELLS; ++r)
                box.grid[c][r] = uint16_t((c + r) % 30);
    }
    void TearDown() override { win::scripted::stopListening(); }

    // Loading `name` fails with the one damaged-file box and leaves the loaded box as it was.
    void expectRefusedKeepingTheBox(const char* name)
    {
        win::scripted::clear();
        BoxFile before = box;
        EXPECT_EQ(LoadBoxFile((std::string("c:\\varnel\\BoxFiles\\") + name).c_str(), nullptr, &box, 0), 0);
        EXPECT_EQ(std::memcmp(&before, &box, sizeof box), 0);
        auto boxes = win::scripted::boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "Error reading boxfile");
        EXPECT_EQ(boxes[0].caption, "Varnel system manager");
    }

    std::string profile(const char* key)
    {
        char text[300];
        GetPrivateProfileStringA("Files", key, "", text, sizeof text, "VARNEL.INI");
        return text;
    }
};

TEST_F(BoxFileTest, ClassifiesUpToTheGridEdgesAndNeverBeyond)
{
    struct Case {
        const char* what;
        float e1, e2;
        int result, column, row, colour;
    } cases[] = {
        {"on e1Max: row 0", 2.5f, 1.0f, 0, 0, 0, 0},
        {"on e2Min: column 0", 1.5f, 1.0f, 0, 0, 16, 16},
        {"on e2Max: last column", 1.5f, 3.0f, 0, 31, 16, (31 + 16) % 30},
        {"on e1Min: last row", 0.5f, 2.0f, 0, 16, 31, (16 + 31) % 30},
        {"both upper corners", 0.5f, 3.0f, 0, 31, 31, (31 + 31) % 30},
        {"just above e1Max", 2.5001f, 2.0f, 1, -1, -1, COLOUR_UNCLASSIFIED},
        {"just below e2Min", 1.5f, 0.9999f, 1, -1, -1, COLOUR_UNCLASSIFIED},
        {"not a number", NAN, 2.0f, 1, -1, -1, COLOUR_UNCLASSIFIED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        box.lastRow = 99;
        TrackPoint p{0, c.e1, c.e2, 0, 0, 0};
        EXPECT_EQ(ClassifyReading(&box, &p), c.result);
        EXPECT_EQ(box.lastColumn, c.column);
        if (c.result == 0)
            EXPECT_EQ(box.lastRow, c.row);
        else
            EXPECT_EQ(box.lastRow, 99) << "an outside reading keeps the last row";
        EXPECT_EQ(box.lastClass, c.result ? -1 : +c.colour);
        EXPECT_EQ(+p.colour, +c.colour);
    }
}

TEST_F(BoxFileTest, CellsOutsideThePaletteClassifyAsUnclassified)
{
    box.grid[0][0] = 47;
    box.grid[0][1] = 48;
    box.grid[0][2] = 0xFFFF;
    for (auto [row, colour] : {std::pair{0, 47}, {1, COLOUR_UNCLASSIFIED}, {2, COLOUR_UNCLASSIFIED}}) {
        SCOPED_TRACE(row);
        // E1 in the middle of the row, E2 in column 0.
        TrackPoint p{0, box.e1Max - (row + 0.5f) * (box.e1Max - box.e1Min) / BOX_CELLS, box.e2Min, 0, 0, 0};
        EXPECT_EQ(ClassifyReading(&box, &p), 0);
        EXPECT_EQ(box.lastRow, row);
        EXPECT_EQ(+p.colour, colour) << "never the erased marker or a colour the palette lacks";
    }
}

TEST_F(BoxFileTest, FlatBoundsClassifyNothing)
{
    box.e2Max = box.e2Min;
    SwathReading r{};
    r.e1 = 1.0f;
    r.e2 = box.e2Min;
    EXPECT_EQ(ClassifyReading(&box, &r), 1);
    EXPECT_EQ(+r.colour, COLOUR_UNCLASSIFIED);
    EXPECT_EQ(BoxToPixel(1.0f, box.e2Min, &box, 10).x, -1);
}

TEST_F(BoxFileTest, PixelsOfTheClassificationWindow)
{
    POINT p = BoxToPixel(2.5f, 1.0f, &box, 10);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
    p = BoxToPixel(1.5f, 2.0f, &box, 10);
    EXPECT_EQ(p.x, 160);
    EXPECT_EQ(p.y, 160);
    p = BoxToPixel(0.4f, 2.0f, &box, 10);
    EXPECT_EQ(p.x, -1);
    EXPECT_EQ(p.y, -1);
}

TEST_F(BoxFileTest, SavedBoxLoadsBackFieldForField)
{
    box.currentClass = 4;
    std::strcpy(box.classNames[4], "Gravel");
    box.lastColumn = 3;
    box.lastRow = 4;
    box.lastClass = 5;
    box.ownerWindow = reinterpret_cast<HWND>(0x10);
    std::string path = "c:\\varnel\\BoxFiles\\survey.box";
    ASSERT_EQ(SaveBoxFile(path.c_str(), nullptr, &box), 0);
    std::string bytes = TempDataRoot::readFile(boxFolder / "survey.box");
    ASSERT_EQ(bytes.size(), size_t(BOX_FILE_BYTES));
    EXPECT_EQ(bytes[0], 0);
    EXPECT_EQ(bytes[1], 0);
    EXPECT_EQ(profile("CurrentBoxfile"), path);

    BoxFile loaded;
    FillDefaultBox(&loaded);
    loaded.ownerWindow = reinterpret_cast<HWND>(0x20);
    ASSERT_EQ(LoadBoxFile(path.c_str(), nullptr, &loaded, 0), 1);
    EXPECT_EQ(loaded.ownerWindow, nullptr);
    loaded.ownerWindow = box.ownerWindow;
    EXPECT_EQ(std::memcmp(&loaded, &box, sizeof box), 0);
    EXPECT_EQ(profile("CurrentBoxfile"), "survey.box");
    EXPECT_STREQ(boxFileNames[0], "survey.box");
}

TEST_F(BoxFileTest, WrongSizedFilesAreRefusedAndTheRecordKept)
{
    for (int size : {BOX_FILE_BYTES - 1, BOX_FILE_BYTES + 1}) {
        SCOPED_TRACE(size);
        TempDataRoot::writeFile(boxFolder / "bad.box", std::string(size_t(size), '\x01'));
        expectRefusedKeepingTheBox("bad.box");
    }
    EXPECT_EQ(LoadBoxFile("c:\\varnel\\BoxFiles\\missing.box", nullptr, &box, 0), 0);
    EXPECT_EQ(win::scripted::boxes().size(), 1u) << "a missing file is silent";
}

TEST_F(BoxFileTest, BoundsThatAreNoNumbersOrNoRangeAreRefusedAndTheRecordKept)
{
    ASSERT_EQ(SaveBoxFile("c:\\varnel\\BoxFiles\\good.box", nullptr, &box), 0);
    const std::string good = TempDataRoot::readFile(boxFolder / "good.box");
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        const char* what;
        float bounds[4]; // as stored from offset 2: e2Max, e1Max, e2Min, e1Min
    } cases[] = {
        {"e1Max not a number", {3.0f, NAN, 1.0f, 0.5f}},
        {"e2Min not a number", {3.0f, 2.5f, NAN, 0.5f}},
        {"e1Max infinite", {3.0f, inf, 1.0f, 0.5f}},
        {"e2Min minus infinity", {3.0f, 2.5f, -inf, 0.5f}},
        {"e1Min equal to e1Max", {3.0f, 2.5f, 1.0f, 2.5f}},
        {"e2Max below e2Min", {0.5f, 2.5f, 1.0f, 0.5f}},
        {"span beyond a float", {3e38f, 2.5f, -3e38f, 0.5f}},
    };
    FillDefaultBox(&box);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string bytes = good;
        std::memcpy(bytes.data() + 2, c.bounds, sizeof c.bounds);
        TempDataRoot::writeFile(boxFolder / "bad.box", bytes);
        expectRefusedKeepingTheBox("bad.box");
    }
    EXPECT_EQ(LoadBoxFile("c:\\varnel\\BoxFiles\\good.box", nullptr, &box, 0), 1);
    EXPECT_EQ(box.e1Max, 2.5f);
}

TEST_F(BoxFileTest, APipeInTheBoxFilesPlaceIsRefusedWithoutWaiting)
{
    ASSERT_EQ(::mkfifo((boxFolder / "pipe.box").c_str(), 0600), 0);
    // Opening a pipe for reading would wait for a writer for ever.
    expectRefusedKeepingTheBox("pipe.box");
}

TEST_F(BoxFileTest, KeepSettingChangesOnlyTheSlotName)
{
    ASSERT_EQ(SaveBoxFile("c:\\varnel\\BoxFiles\\a.box", nullptr, &box), 0);
    WritePrivateProfileStringA("Files", "CurrentBoxfile", "other.box", "VARNEL.INI");
    ASSERT_EQ(LoadBoxFile("c:\\varnel\\BoxFiles\\a.box", nullptr, &box, 1), 1);
    EXPECT_EQ(profile("CurrentBoxfile"), "other.box");
    EXPECT_STREQ(boxFileNames[0], "a.box");
}

TEST_F(BoxFileTest, StartUpFallsBackToDefaultThenToTheBuiltInBox)
{
    WritePrivateProfileStringA("Files", "CurrentBoxfile", "gone.box", "VARNEL.INI");
    boxFile.grid[0][0] = 3;
    LoadStartupBoxFile();
    EXPECT_EQ(boxFile.grid[0][0], COLOUR_UNCLASSIFIED) << "built in";
    EXPECT_EQ(std::string(boxFile.typeNames[2]), "Fine Sand");
    EXPECT_TRUE(std::filesystem::exists(boxFolder / "default.box"));
    EXPECT_STREQ(boxFileNames[0], "default.box");
    EXPECT_EQ(profile("BoxFileIndex"), "0");

    ASSERT_EQ(SaveBoxFile("c:\\varnel\\BoxFiles\\second.box", nullptr, &box), 0);
    WritePrivateProfileStringA("Files", "CurrentBoxfile", "default.box", "VARNEL.INI");
    WritePrivateProfileStringA("Files", "CurrentBoxfile2", "second.box", "VARNEL.INI");
    WritePrivateProfileStringA("Files", "BoxFileIndex", "1", "VARNEL.INI");
    LoadStartupBoxFile();
    EXPECT_EQ(nBoxFileSlot, 1);
    EXPECT_EQ(boxFile.e1Max, 2.5f);

    EXPECT_EQ(SwitchBoxFileSlot(0, nullptr), 1);
    EXPECT_EQ(profile("BoxFileIndex"), "0");
    EXPECT_EQ(boxFile.e1Max, BOX_VOLTS_MAX);
}

TEST_F(BoxFileTest, RangeStepsStayWithinTheirLimits)
{
    struct Case {
        const char* what;
        bool maximum, up;
        float value, other, expected;
    } cases[] = {
        {"max 4.07 up", true, true, 4.07f, 0.0f, 4.095f},
        {"max 4.08 up", true, true, 4.08f, 0.0f, 4.095f},
        {"max 2.0 up", true, true, 2.0f, 0.0f, 2.025f},
        {"max down, room left", true, false, 1.0f, 0.9f, 0.975f},
        {"max down, too close to min", true, false, 1.0f, 0.96f, 1.0f},
        {"min 0.02 down", false, false, 0.02f, 4.0f, 0.0f},
        {"min 1.0 down", false, false, 1.0f, 4.0f, 0.975f},
        {"min up, room left", false, true, 1.0f, 1.1f, 1.025f},
        {"min up, too close to max", false, true, 1.0f, 1.04f, 1.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        float v = c.value;
        if (c.maximum)
            StepBoxMaximum(v, c.other, c.up);
        else
            StepBoxMinimum(v, c.other, c.up);
        EXPECT_NEAR(v, c.expected, 1e-5);
    }
}

TEST_F(BoxFileTest, TypeNameListRules)
{
    EXPECT_EQ(AddTypeName(&box, "Mud"), 1);
    EXPECT_EQ(box.typeCount, 3);
    EXPECT_EQ(AddTypeName(&box, "Gravel with shell fragments"), 0);
    EXPECT_STREQ(box.typeNames[3], "Gravel with shell f") << "cut to 19 characters";
    EXPECT_FALSE(DeleteTypeName(&box, 4));
    EXPECT_FALSE(DeleteTypeName(&box, -1));
    EXPECT_TRUE(DeleteTypeName(&box, 0));
    EXPECT_STREQ(box.typeNames[0], "Mud");
    EXPECT_EQ(box.typeCount, 3);
    box.currentClass = 7;
    EXPECT_TRUE(NameClassFromType(&box, 1));
    EXPECT_STREQ(box.classNames[7], "Fine Sand");
    EXPECT_FALSE(NameClassFromType(&box, 3));

    while (box.typeCount < BOX_TYPE_NAMES)
        AddTypeName(&box, std::to_string(box.typeCount).c_str());
    EXPECT_EQ(AddTypeName(&box, "One more"), 2);
    ASSERT_EQ(win::scripted::boxes().size(), 1u);
    EXPECT_EQ(win::scripted::boxes()[0].text, "The Seabed type list is full");
}

TEST_F(BoxFileTest, ASaveThatFillsTheDiskKeepsTheOldFileAndSaysSo)
{
    const char* path = "c:\\varnel\\BoxFiles\\survey.box";
    ASSERT_EQ(SaveBoxFile(path, nullptr, &box), 0);
    const std::string saved = TempDataRoot::readFile(boxFolder / "survey.box");
    WritePrivateProfileStringA("Files", "CurrentBoxfile", "before.box", "VARNEL.INI");

    box.grid[5][5] = 7;
    {
        ScopedFileSizeLimit diskFull(BOX_FILE_BYTES - 1);
        EXPECT_EQ(SaveBoxFile(path, nullptr, &box), 5);
    }
    EXPECT_TRUE(TempDataRoot::readFile(boxFolder / "survey.box") == saved) << "the old file, byte for byte";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(boxFolder))
        files += entry.is_regular_file();
    EXPECT_EQ(files, 1) << "no temporary left behind";
    EXPECT_EQ(profile("CurrentBoxfile"), "before.box");
    auto boxes = win::scripted::boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Failed writing boxfile \"c:\\varnel\\BoxFiles\\survey.box\": File too large. "
                             "The file on disk is unchanged.");
    EXPECT_EQ(boxes[0].type & MB_ICONSTOP, UINT(MB_ICONSTOP));

    // With room again the same save replaces the file.
    ASSERT_EQ(SaveBoxFile(path, nullptr, &box), 0);
    BoxFile loaded;
    ASSERT_EQ(LoadBoxFile(path, nullptr, &loaded, 1), 1);
    EXPECT_EQ(loaded.grid[5][5], 7);
}

TEST_F(BoxFileTest, ReadOnlyFolderCannotTakeASave)
{
    EXPECT_EQ(SaveBoxFile("q:\\nowhere\\x.box", nullptr, &box), 5);
    ASSERT_EQ(win::scripted::boxes().size(), 1u);
    EXPECT_EQ(win::scripted::boxes()[0].text, "Failed saving boxfile \"q:\\nowhere\\x.box\". Is it a read-only file?");
    EXPECT_EQ(win::scripted::boxes()[0].caption, "Error");
}

} // namespace
