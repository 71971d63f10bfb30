// The jam table's file in a temporary data root: created with the defaults when missing, left alone
// at a version it does not know, and replaced when too short only if the user agrees.
#include "TempDataRoot.h"
#include "acquisition/JamTable.h"
#include "platform/messages.h"

#include <gtest/gtest.h>

namespace {

struct JamTableTest : ::testing::Test {
    TempDataRoot root;
    std::filesystem::path file = root.driveC() / "varnel" / "JAM.DAT";
    JamEntry table[JAM_ENTRIES] = {};

    void SetUp() override { win::scripted::listen(); }
    void TearDown() override { win::scripted::stopListening(); }
    static bool isDefault(const JamEntry& e)
    {
        return e.blanking == 19 && e.clock1 == 66 && e.clock2 == 99 && e.e2Clock2 == 99 && e.referenceClock == 199 &&
               e.e2Clock1 == 191;
    }
};

TEST_F(JamTableTest, MissingFileIsCreatedWithDefaultsSilently)
{
    EXPECT_EQ(LoadAllJams(table, JAM_ENTRIES), 0);
    for (const JamEntry& e : table)
        EXPECT_TRUE(isDefault(e));
    EXPECT_EQ(std::filesystem::file_size(file), 196u);
    EXPECT_TRUE(win::scripted::boxes().empty());

    table[6].blanking = 21;
    ASSERT_EQ(SaveAllJams(table, JAM_ENTRIES), 0);
    JamEntry again[JAM_ENTRIES] = {};
    EXPECT_EQ(LoadAllJams(again, JAM_ENTRIES), 0);
    EXPECT_EQ(again[6].blanking, 21);
}

TEST_F(JamTableTest, UnknownVersionLeavesTableAndFileAlone)
{
    TempDataRoot::writeFile(file, std::string("\x01\0\0\0", 4) + std::string(192, '\x07'));
    table[0].blanking = 5;
    EXPECT_EQ(LoadAllJams(table, JAM_ENTRIES), -1);
    EXPECT_EQ(table[0].blanking, 5);
    ASSERT_EQ(win::scripted::boxes().size(), 1u);
    EXPECT_EQ(win::scripted::boxes()[0].text, "LoadAllJams(): Unrecognised Jam File version");
    EXPECT_EQ(std::filesystem::file_size(file), 196u);
}

TEST_F(JamTableTest, ShortFileAsksBeforeReplacing)
{
    TempDataRoot::writeFile(file, std::string(4 + 24 * 3, '\0'));
    win::scripted::queueAnswer(IDCANCEL);
    EXPECT_EQ(LoadAllJams(table, JAM_ENTRIES), -1);
    EXPECT_EQ(std::filesystem::file_size(file), 4u + 72u) << "kept when the user says no";

    win::scripted::queueAnswer(IDOK);
    EXPECT_EQ(LoadAllJams(table, JAM_ENTRIES), 0);
    EXPECT_TRUE(isDefault(table[7]));
    EXPECT_EQ(std::filesystem::file_size(file), 196u);
    auto boxes = win::scripted::boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, "LoadAllJams(): Corrupt Jam File - Replace file with default data?");
}

} // namespace
