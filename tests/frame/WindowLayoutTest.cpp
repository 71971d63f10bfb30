// The window layout for a screen of a given size: its metrics, each window's default rectangle
// stored under the window's own section of VARNEL.INI, and the window type names.
#include "frame/Inifile.h"
#include "frame/WindowLayout.h"
#include "platform/profile.h"
#include "TempDataRoot.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

class WindowLayout : public ::testing::Test {
protected:
    void SetUp() override { setenv("TIDEVANE_CAPTION", "18", 1); }
    void TearDown() override
    {
        unsetenv("TIDEVANE_SCREEN");
        unsetenv("TIDEVANE_CAPTION");
    }
    static void measure(const char* screen)
    {
        setenv("TIDEVANE_SCREEN", screen, 1);
        ComputeScreenMetrics();
        ComputeDefaultRects();
    }
    static std::string stored(const char* section, const char* key)
    {
        char buffer[32];
        GetPrivateProfileStringA(section, key, "<absent>", buffer, sizeof buffer, VARNEL_INI);
        return buffer;
    }

    TempDataRoot home;
};

TEST_F(WindowLayout, MetricsOfTheScreen)
{
    measure("1024x768");
    EXPECT_EQ(screenMetrics.W, 1024);
    EXPECT_EQ(screenMetrics.H, 768);
    EXPECT_EQ(screenMetrics.L, 20);
    EXPECT_EQ(screenMetrics.unit, 8);
    EXPECT_EQ(screenMetrics.unitEdit, 12);
    EXPECT_GT(screenMetrics.cyVScroll, 0);

    // W / 80 would be 8: the editor's cells keep at least 10 pixels, the display's have no floor.
    measure("640x480");
    EXPECT_EQ(screenMetrics.unitEdit, 10);
    EXPECT_EQ(screenMetrics.unit, 5);
}

TEST_F(WindowLayout, DefaultRectanglesAreStoredUnderTheWindowsSection)
{
    measure("1024x768");
    struct Case {
        int code;
        const char* section;
        RECT rect;
    };
    const Case cases[] = {
        {SEDRIXWND, "SedrixWnd", {760, 432, 0, 0}},
        {SEDRIXWNDEDIT, "SedrixWndEdit", {1024 - 384 - 8, 768 - 384 - 80, 0, 0}},
        {DEPTHWND, "DepthWnd", {0, 557, 356, 728}},
        {BOTTOMWND, "BottomWnd", {760, 432, 0, 0}},
        {SYMBOLWND, "SymbolWnd", {422, 20, 180, 340}},
        {LAYERSWND, "LayersWnd", {2, 20, 200, 240}},
        {OVERLAYSWND, "OverlaysWnd", {822, 20, 200, 280}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.section);
        RECT r{-1, -1, -1, -1};
        EXPECT_EQ(GetDefaultWindowRect(c.code, &r), 1);
        EXPECT_EQ(r.left, c.rect.left);
        EXPECT_EQ(r.top, c.rect.top);
        EXPECT_EQ(r.right, c.rect.right);
        EXPECT_EQ(r.bottom, c.rect.bottom);
        EXPECT_EQ(stored(c.section, "Left"), std::to_string(c.rect.left));
        EXPECT_EQ(stored(c.section, "Top"), std::to_string(c.rect.top));
        EXPECT_EQ(stored(c.section, "Right"), std::to_string(c.rect.right));
        EXPECT_EQ(stored(c.section, "Bottom"), std::to_string(c.rect.bottom));
    }

    // The depth window's stored default is a usable position.
    RECT loaded;
    EXPECT_EQ(LoadPosition(&loaded, "DepthWnd"), 1);
    EXPECT_EQ(loaded.top, 557);
}

TEST_F(WindowLayout, WindowsWithoutADefaultAreLeftAlone)
{
    measure("1024x768");
    for (int code : {MAINWND, CHARTWND, POSITIONWND, DEPTHCOLOURWND, 7}) {
        RECT r{1, 2, 3, 4};
        EXPECT_EQ(GetDefaultWindowRect(code, &r), 1);
        EXPECT_EQ(r.left, 1);
        EXPECT_EQ(r.bottom, 4);
    }
    EXPECT_EQ(stored("PositionWnd", "Left"), "<absent>");
}

TEST_F(WindowLayout, TypeNames)
{
    EXPECT_STREQ(WindowTypeName(MAINWND), "MAINWND");
    EXPECT_STREQ(WindowTypeName(SEDRIXWNDEDIT), "SEDRIXWNDEDIT");
    EXPECT_STREQ(WindowTypeName(MEASUREWND), "MeasureWnd");
    EXPECT_STREQ(WindowTypeName(DEPTHCOLOURWND), "DEPTHCOLOURWND");
    EXPECT_STREQ(WindowTypeName(35), "Unknown Varnel window type");
}

} // namespace
