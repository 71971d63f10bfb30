// The one-value files read at start-up and the depth display settings, in a temporary data root:
// each failure told once with the built-in value kept, values taken when read, and depth limits and
// units corrected as they are read.
#include "frame/StartupFiles.h"

#include "TempDataRoot.h"
#include "chart/ChartWindow.h"
#include "chart/TrackDrawing.h"
#include "frame/Inifile.h"
#include "platform/messages.h"
#include "platform/profile.h"
#include "recording/VesselState.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

struct StartupCase {
    const char* name;
    std::map<std::string, std::string> files; // in c:\varnel
    std::vector<std::string> messages;
    char drive;
};

class StartupFiles : public ::testing::TestWithParam<StartupCase> {};

TEST_P(StartupFiles, EachFailureIsToldOnceAndTheBuiltInValueStays)
{
    TempDataRoot root;
    for (const auto& [name, text] : GetParam().files)
        TempDataRoot::writeFile(root.driveC() / "varnel" / name, text);
    root.addDrive('d');
    win::scripted::listen();
    SPEEDOFSOUND = 1480.0;
    ReadStartupFiles(true, true);
    std::vector<std::string> messages;
    for (const auto& box : win::scripted::boxes())
        messages.push_back(box.text);
    win::scripted::stopListening();
    EXPECT_EQ(messages, GetParam().messages);
    EXPECT_EQ(databaseDrive, GetParam().drive);
}

INSTANTIATE_TEST_SUITE_P(
    Files, StartupFiles,
    ::testing::Values(
        StartupCase{"None", {}, {}, 'C'},
        StartupCase{"EmptyDrive", {{"drive.ini", ""}}, {"Failed reading drive letter file"}, 'C'},
        StartupCase{"WritableDrive", {{"drive.ini", "D"}}, {}, 'D'},
        StartupCase{"MissingDrive",
                    {{"drive.ini", "Q"}},
                    {"Problem encountered with drive Q. Using default drive C: instead"},
                    'C'},
        StartupCase{"OneOffset", {{"offset.ini", "2.5"}}, {"Failed reading offset file"}, 'C'},
        StartupCase{"Several",
                    {{"freq.ini", "x"}, {"sp_sound.ini", "1500"}, {"centre.ini", "oops"}},
                    {"Failed reading frequency file", "Failed reading file \"centre.ini\""},
                    'C'}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StartupFileValues, AreTakenWhenRead)
{
    TempDataRoot root;
    const auto folder = root.driveC() / "varnel";
    TempDataRoot::writeFile(folder / "sp_sound.ini", "1500.5");
    TempDataRoot::writeFile(folder / "centre.ini", "1");
    TempDataRoot::writeFile(folder / "heading.ini", "1");
    TempDataRoot::writeFile(folder / "freq.ini", "200000");
    ReadStartupFiles(false, false);
    EXPECT_EQ(SPEEDOFSOUND, 1500.5);
    EXPECT_EQ(innerBoxFactor, 0.5);
    EXPECT_EQ(sounderFrequency, 200000);
    EXPECT_EQ(headingSetting, 0) << "a module without GetTrackHeading leaves no heading setting";
    EXPECT_FALSE(fReadVesselKnots);
}

struct DepthCase {
    const char* ini;
    int16_t units;
    const char* unitText;
    float top, bottom, range;
    const char* storedUnits; // after reading
};

class DepthDisplay : public ::testing::TestWithParam<DepthCase> {};

TEST_P(DepthDisplay, LimitsAndUnitsAreCorrectedAsRead)
{
    TempDataRoot root;
    TempDataRoot::writeFile(root.windowsDir() / "VARNEL.INI", GetParam().ini);
    LoadDepthDisplaySettings();
    EXPECT_EQ(depthDisplay.units, GetParam().units);
    EXPECT_STREQ(depthDisplay.unitText, GetParam().unitText);
    EXPECT_FLOAT_EQ(depthDisplay.top, GetParam().top);
    EXPECT_FLOAT_EQ(depthDisplay.bottom, GetParam().bottom);
    EXPECT_FLOAT_EQ(depthDisplay.range, GetParam().range);
    char stored[16] = "";
    GetPrivateProfileStringA("DepthInf", "depthunits", "", stored, sizeof stored, "VARNEL.INI");
    EXPECT_STREQ(stored, GetParam().storedUnits);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, DepthDisplay,
    ::testing::Values(DepthCase{"[DepthInf]\ntopdepth=-5\nbottomdepth=3\ndepthunits=1\n", 1, "ft", 0, 3, 3, "1"},
                      DepthCase{"[DepthInf]\ntopdepth=10\nbottomdepth=10.5\ndepthunits=2\n", 2, "fm", 10, 11, 1, "2"},
                      DepthCase{"[DepthInf]\ntopdepth=2\nbottomdepth=30\ndepthunits=7\n", 0, "m", 2, 30, 28, "0"}));

} // namespace
