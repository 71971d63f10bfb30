// The chart's colours: depth bands, track pen colours, and, in a temporary data root, the night
// table from chart.ini and the level file written with the colours in force.
#include "TempDataRoot.h"
#include "chart/ChartColours.h"
#include "platform/messages.h"

#include <cmath>
#include <gtest/gtest.h>
#include <sstream>

namespace {

TEST(DepthColour, BandsFromTopAndInterval)
{
    colourByDepth[0] = 5.0f;
    colourByDepth[1] = 1.0f;
    for (auto [depth, colour] : {std::pair{0.0f, 35}, {5.9f, 35}, {6.0f, 36}, {16.9f, 46}, {100.0f, 46}, {-50.0f, 35}})
        EXPECT_EQ(DepthColour(depth), colour) << depth;
    colourByDepth[1] = 0.0f;
    EXPECT_EQ(DepthColour(20.0f), 35) << "no band width: the first band";
    colourByDepth[1] = 1.0f;
    EXPECT_EQ(DepthColour(NAN), 35);
}

TEST(TrackPenColour, ClassOrFixedColour)
{
    EXPECT_EQ(TrackPenColour(1, 1, 17), 17);
    for (int i : {0, 12, 47})
        EXPECT_EQ(TrackPenColour(0, 1, i), 11) << "red whatever the point's colour";
    EXPECT_EQ(TrackPenColour(0, 2, 3), 5);
    EXPECT_EQ(TrackPenColour(0, 3, 3), 34);
    EXPECT_EQ(TrackPenColour(0, 5, 40), 40);
    EXPECT_EQ(TrackPenColour(0, 0, 40), 30);
    EXPECT_EQ(TrackPenColour(0, 9, 40), 30);
}

struct ChartColoursFiles : ::testing::Test {
    TempDataRoot root;
    void SetUp() override { win::scripted::listen(); }
    void TearDown() override
    {
        NightScheme = false;
        win::scripted::stopListening();
    }
};

TEST_F(ChartColoursFiles, NightTableFromTheChartSettings)
{
    TempDataRoot::writeFile(root.driveC() / "varnel" / "chart.ini", "[OTHER]\nSNIGHT=0.5\n");
    ComputeNightColours();
    EXPECT_EQ(NightColours[29].red, 127);
    EXPECT_EQ(NightColours[29].green, 80);
    EXPECT_EQ(NightColours[29].blue, 0);
    TempDataRoot::writeFile(root.driveC() / "varnel" / "chart.ini", "[OTHER]\nSNIGHT=1.5\n");
    ComputeNightColours();
    EXPECT_EQ(NightColours[31].red, 255) << "never past white";
    EXPECT_TRUE(win::scripted::boxes().empty());
}

TEST_F(ChartColoursFiles, MissingNightFactorIsReported)
{
    double factor = 0;
    EXPECT_FALSE(ReadNightFactor(&factor));
    ASSERT_EQ(win::scripted::boxes().size(), 1u);
    EXPECT_EQ(win::scripted::boxes()[0].text, "Can't Read chart.ini file");
    EXPECT_EQ(win::scripted::boxes()[0].caption, "Varnel System Manager");
}

TEST_F(ChartColoursFiles, LevelFileHoldsTheColoursInForce)
{
    ASSERT_EQ(WriteInterpolLevelFile(), 0);
    std::string text = TempDataRoot::readFile(root.driveC() / "VARNEL3D" / "lvl" / "interpol.lvl");
    std::istringstream in(text);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 49u);
    EXPECT_EQ(lines[0], "LVL2");
    EXPECT_EQ(lines[1], "'Level Flags LColor LStyle LWidth FFGColor FBGColor FPattern FMode");
    EXPECT_EQ(lines[2 + 29], "29 0 \"Black\" \"Invisible\" 0 \"R255G160B000\" \"White\" \"Solid\" 2");
    EXPECT_EQ(lines[48].substr(0, 3), "46 ");

    NightColours[29] = {1, 2, 3};
    NightScheme = true;
    ASSERT_EQ(WriteInterpolLevelFile(), 0);
    text = TempDataRoot::readFile(root.driveC() / "VARNEL3D" / "lvl" / "interpol.lvl");
    EXPECT_NE(text.find("29 0 \"Black\" \"Invisible\" 0 \"R001G002B003\""), std::string::npos);
}

} // namespace
