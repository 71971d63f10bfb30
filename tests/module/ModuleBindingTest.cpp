#include "TempDataRoot.h"
#include "platform/messages.h"
#include "platform/profile.h"
#include "recording/ModuleBinding.h"

#include <gtest/gtest.h>

namespace {

struct Binding : ::testing::Test {
    TempDataRoot root;
    void SetUp() override { win::scripted::listen(); }
    void TearDown() override
    {
        UnloadSwathModule();
        win::scripted::stopListening();
    }
    static std::vector<std::string> texts()
    {
        std::vector<std::string> out;
        for (const auto& box : win::scripted::boxes())
            out.push_back(box.text);
        return out;
    }
};

TEST_F(Binding, AModuleThatCannotBeLoadedSaysWhy)
{
    const struct {
        const char* name;
        const char* text;
    } cases[] = {
        {"Sonkel32x", "Failed to load Sonkel32x DLL: The specified module could not be found."},
        {"NeedsGoneLibraryModule", "Failed to load NeedsGoneLibraryModule DLL: One of the library files "
                                   "needed to run this application cannot be found."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        win::scripted::clear();
        EXPECT_FALSE(LoadSwathModule(nullptr, c.name));
        ASSERT_EQ(texts(), std::vector<std::string>{c.text});
        EXPECT_EQ(win::scripted::boxes()[0].caption, "Error");
        EXPECT_EQ(win::scripted::beeps(), std::vector<UINT>{MB_ICONHAND});
        EXPECT_EQ(hSwath.handle, nullptr);
    }
}

TEST_F(Binding, AModuleWithoutGetTrackDataIsRefused)
{
    ASSERT_TRUE(LoadSwathModule(nullptr, "NoTrackDataModule"));
    EXPECT_EQ(BindTrackData(nullptr), -1);
    auto boxes = win::scripted::boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Function GetTrackData() not found in above DLL");
    EXPECT_EQ(boxes[0].caption, "NoTrackDataModule");
    EXPECT_EQ(boxes[0].type & MB_ICONMASK, MB_ICONHAND);
}

TEST_F(Binding, AModuleWithoutGetTrackKnotsBindsAfterOneWarning)
{
    ASSERT_TRUE(LoadSwathModule(nullptr, "NoKnotsModule"));
    // First start: the three sentence keys are missing and written back.
    EXPECT_EQ(BindTrackData(nullptr), 7);
    ASSERT_EQ(texts(), std::vector<std::string>{"Function GetTrackKnots() not found in above DLL"});
    EXPECT_EQ(win::scripted::boxes()[0].type & MB_ICONMASK, MB_ICONEXCLAMATION);
    EXPECT_NE(hSwath.GetTrackData, nullptr);
    EXPECT_EQ(hSwath.GetTrackKnots, nullptr);
    ASSERT_NE(hSwath.pfStopReplayAtEOF, nullptr);
    char text[16];
    GetPrivateProfileStringA("NMEA0183", "VTG", "", text, sizeof text, "VARNEL.INI");
    EXPECT_STRNE(text, "");
}

TEST_F(Binding, CalibrationComesFromTheReplayProfile)
{
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
