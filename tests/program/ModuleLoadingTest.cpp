// The program loading its module by name: what it says for a module it cannot load or use, and
// what a module lacking some entry points still gives.
#include "ProgramFixture.h"

#include "chart/ChartWindow.h"
#include "platform/messages.h"
#include "platform/profile.h"
#include "recording/ModuleBinding.h"

#include <string>
#include <vector>

namespace {

struct Box {
    std::string caption;
    std::string text;
    UINT icon;
    bool operator==(const Box&) const = default;
};

std::vector<Box> boxes()
{
    std::vector<Box> out;
    for (const auto& box : win::scripted::boxes())
        out.push_back({box.caption, box.text, box.type & MB_ICONMASK});
    return out;
}

struct RefusedModule {
    const char* name;
    Box box;
};

class RefusedModules : public ProgramTest, public ::testing::WithParamInterface<RefusedModule> {};

TEST_P(RefusedModules, EndTheStartWithTheirMessage)
{
    ProgramOptions o = options();
    o.module = GetParam().name;
    EXPECT_EQ(run(o), -42);
    EXPECT_EQ(boxes(), std::vector<Box>{GetParam().box});
    EXPECT_EQ(hSwath.handle, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Program, RefusedModules,
    ::testing::Values(
        RefusedModule{"Sonkel32x",
                      {"Error", "Failed to load Sonkel32x DLL: The specified module could not be found.", MB_ICONHAND}},
        RefusedModule{"NeedsGoneLibraryModule",
                      {"Error",
                       "Failed to load NeedsGoneLibraryModule DLL: One of the library files needed to run this "
                       "application cannot be found.",
                       MB_ICONHAND}},
        RefusedModule{"NoTrackDataModule",
                      {"NoTrackDataModule", "Function GetTrackData() not found in above DLL", MB_ICONHAND}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProgramTest, AModuleWithoutSomeEntryPointsStillShowsTheChart)
{
    ProgramOptions o = options();
    o.module = "NoKnotsModule";
    bool readsKnots = true;
    EXPECT_EQ(run(o, [&] { readsKnots = fReadVesselKnots; }), 0);
    EXPECT_FALSE(readsKnots);
    EXPECT_EQ(boxes(), (std::vector<Box>{
                           {"NoKnotsModule", "Function GetTrackKnots() not found in above DLL", MB_ICONEXCLAMATION},
                           {"Error", "Function StartSwath() not found in sonkel32d DLL", MB_ICONHAND},
                           {"Error", "Function StopSwath() not found in sonkel32d DLL", MB_ICONHAND},
                       }));
    // The sentence settings missing at the first start were written back.
    char text[16] = "";
    GetPrivateProfileStringA("NMEA0183", "VTG", "", text, sizeof text, "VARNEL.INI");
    EXPECT_STRNE(text, "");
}

TEST(ReplayCalibration, ComesFromTheReplayProfile)
{
    TempDataRoot root;
    TempDataRoot::writeFile(root.windowsDir() / "REPLAY.INI",
                            "[REPLAYBeam-3]\nE1 Multiplier=2.5\nE2 Constant=-0.25\nE1 Constant=\n");
    arE1Constant[5] = 0.75f;
    LoadReplayCalibration();
    EXPECT_FLOAT_EQ(arE1Multiplier[5], 2.5f);
    EXPECT_FLOAT_EQ(arE2Constant[5], -0.25f);
    EXPECT_FLOAT_EQ(arE1Constant[5], 0.75f); // empty leaves the value
    EXPECT_FLOAT_EQ(arE1Multiplier[0], 1.0f);
    arE1Multiplier[5] = 1.0f;
    arE2Constant[5] = 0.0f;
    arE1Constant[5] = 0.0f;
}

} // namespace
