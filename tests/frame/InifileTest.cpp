// The program's settings in VARNEL.INI, in a temporary data root: each kind of value read or seeded
// with its default, the forms they are written in, window positions kept on screen, and which
// failed writes the user is told of.
#include "frame/Inifile.h"
#include "platform/messages.h"
#include "platform/profile.h"
#include "TempDataRoot.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

class Settings : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("TIDEVANE_SCREEN", "1024x768", 1);
        win::scripted::listen();
    }
    void TearDown() override
    {
        win::scripted::stopListening();
        unsetenv("TIDEVANE_SCREEN");
        nBoxFileSlot = 0;
    }
    std::string ini() const { return TempDataRoot::readFile(home.windowsDir() / "VARNEL.INI"); }
    void setIni(const std::string& text) const
    {
        TempDataRoot::writeFile(home.windowsDir() / "VARNEL.INI", text);
    }
    std::string value(const char* section, const char* key) const
    {
        char buffer[256];
        GetPrivateProfileStringA(section, key, "<absent>", buffer, sizeof buffer, "VARNEL.INI");
        return buffer;
    }

    TempDataRoot home;
};

TEST_F(Settings, IntSeedsItsDefaultThenReportsChanges)
{
    int32_t rate = 1;
    EXPECT_EQ(GetVarnelProfileInt("Replay", "Save Rate", &rate), 0u);
    EXPECT_EQ(value("Replay", "Save Rate"), "1");
    EXPECT_EQ(GetVarnelProfileInt("Replay", "Save Rate", &rate), 0u);
    EXPECT_EQ(rate, 1);

    setIni("[Replay]\nSave Rate=5\n");
    EXPECT_EQ(GetVarnelProfileInt("replay", "save rate", &rate), 1u);
    EXPECT_EQ(rate, 5);

    // The absent marker stored in the file counts as absent and is overwritten.
    setIni("[Replay]\nSave Rate=-2147483648\n");
    EXPECT_EQ(GetVarnelProfileInt("Replay", "Save Rate", &rate), 0u);
    EXPECT_EQ(rate, 5);
    EXPECT_EQ(value("Replay", "Save Rate"), "5");
}

TEST_F(Settings, FloatSeedsParsesAndLeavesNonNumbersAlone)
{
    float angle = 15.0f;
    EXPECT_EQ(GetVarnelProfileFloat("Beam+1", "Angle", &angle), 0);
    EXPECT_EQ(value("Beam+1", "Angle"), "15.000000");

    setIni("[Beam+1]\nAngle=17.5\n[Beam+2]\nAngle=wide\n");
    EXPECT_EQ(GetVarnelProfileFloat("Beam+1", "Angle", &angle), 0);
    EXPECT_FLOAT_EQ(angle, 17.5f);
    std::string before = ini();
    EXPECT_EQ(GetVarnelProfileFloat("Beam+2", "Angle", &angle), 1);
    EXPECT_FLOAT_EQ(angle, 17.5f);
    EXPECT_EQ(ini(), before); // not rewritten
}

TEST_F(Settings, StringReadsOrSeedsTheCallersText)
{
    char buffer[256] = "c:\\varnel\\raw.log";
    EXPECT_EQ(GetVarnelProfileString("Files", "CurrentRawLog", buffer), 0);
    EXPECT_EQ(value("Files", "CurrentRawLog"), "c:\\varnel\\raw.log");
    setIni("[Files]\nCurrentRawLog=d:\\logs\\survey one.log\n");
    GetVarnelProfileString("Files", "CurrentRawLog", buffer);
    EXPECT_STREQ(buffer, "d:\\logs\\survey one.log");
}

TEST_F(Settings, StatusWordsAndTheirCase)
{
    int32_t state = 7;
    LoadStatus(&state, "ReplayWnd");
    EXPECT_EQ(state, 0); // absent reads as "Off"
    setIni("[ReplayWnd]\nStatus=off\n");
    LoadStatus(&state, "ReplayWnd");
    EXPECT_EQ(state, 1); // only "Off" exactly is off

    EXPECT_EQ(SaveStatus(2, "ReplayWnd"), 1);
    EXPECT_EQ(value("ReplayWnd", "Status"), "Off");
    EXPECT_EQ(SaveStatus(1, "ReplayWnd"), 1);
    EXPECT_EQ(value("ReplayWnd", "Status"), "On");
    EXPECT_TRUE(win::scripted::boxes().empty());
}

TEST_F(Settings, FailedWritesTellTheUserOnlyWhereTheyShould)
{
    // The profile cannot be replaced while a folder stands in its place.
    std::filesystem::create_directories(home.windowsDir() / "VARNEL.INI");
    EXPECT_EQ(SaveStatus(1, "DepthWnd"), 0);
    EXPECT_EQ(SaveCurrentBoxFile("mud.box"), 0);
    EXPECT_EQ(WriteVarnelProfileString("Files", "CurrentRawLog", "x"), 1);
    EXPECT_EQ(SaveDepthUnits(2), 0);
    auto boxes = win::scripted::boxes();
    ASSERT_EQ(boxes.size(), 2u);
    for (const auto& box : boxes) {
        EXPECT_EQ(box.text, "Failed writing ini file");
        EXPECT_EQ(box.caption, "Error");
        EXPECT_EQ(box.type & MB_ICONMASK, MB_ICONHAND);
    }
}

TEST_F(Settings, OneDigitFlagsAndFirstWordOfTheChart)
{
    int32_t units = 0, autoscale = 0;
    EXPECT_EQ(LoadDepthUnits(&units), 1);
    EXPECT_EQ(units, 1); // default "1"
    setIni("[DepthInf]\ndepthunits=12\ndepthautoscale=\n[Files]\nCurrentChart=harbour approach.000\n");
    EXPECT_EQ(LoadDepthUnits(&units), 1);
    EXPECT_EQ(units, 1);
    autoscale = 9;
    EXPECT_EQ(LoadDepthAutoscale(&autoscale), 0);
    EXPECT_EQ(autoscale, 9);
    char chart[256];
    EXPECT_EQ(LoadCurrentChart(chart), 1);
    EXPECT_STREQ(chart, "harbour");
    EXPECT_EQ(SaveDepthUnits(3), 1);
    EXPECT_EQ(value("DepthInf", "depthunits"), "3");
}

TEST_F(Settings, DepthAndColourFormats)
{
    EXPECT_EQ(SaveDepthRange(12.5f), 1);
    EXPECT_EQ(value("DepthInf", "depthrange"), "12.5000");
    EXPECT_EQ(SaveDepthLimits(3.25f, 41.0f), 1);
    EXPECT_EQ(value("DepthInf", "bottomdepth"), "41.0000");
    const float bands[2] = {5.0f, 2.5f};
    SaveColourByDepth(bands);
    // Right-aligned in seven characters; the profile keeps the blanks inside quotes or trims
    // them, either way the number reads back.
    float back[2] = {0, 0};
    EXPECT_EQ(LoadColourByDepth(back), 1);
    EXPECT_FLOAT_EQ(back[0], 5.0f);
    EXPECT_FLOAT_EQ(back[1], 2.5f);

    float top = 0, bottom = 0;
    setIni("[DepthInf]\ntopdepth=deep\nbottomdepth=50\n");
    EXPECT_EQ(LoadDepthLimits(&top, &bottom), 0);
    EXPECT_EQ(bottom, 0.0f); // not read when the top failed
    float range = 0;
    EXPECT_EQ(LoadDepthRange(&range), 1);
    EXPECT_FLOAT_EQ(range, 20.0f);
}

TEST_F(Settings, BoxFileKeyFollowsTheSlot)
{
    char name[MAX_PATH];
    EXPECT_EQ(GetCurrentBoxFile(name), 1);
    EXPECT_STREQ(name, "default.box");
    nBoxFileSlot = 1;
    EXPECT_EQ(SaveCurrentBoxFile("sand.box"), 1);
    EXPECT_EQ(value("Files", "CurrentBoxfile2"), "sand.box");
    EXPECT_EQ(value("Files", "CurrentBoxfile"), "<absent>");
    EXPECT_EQ(SaveBoxFileIndex(1), 0);
    int32_t index = 0;
    EXPECT_EQ(LoadBoxFileIndex(&index), 1u);
    EXPECT_EQ(index, 1);
}

TEST_F(Settings, NmeaSentencesReportMissingKeysByBit)
{
    int32_t gll = 1, gga = 1, vtg = 0;
    EXPECT_EQ(LoadNmeaSentences(&gll, &gga, &vtg), 7);
    EXPECT_EQ(SaveNmeaSentences(gll, gga, vtg), 0);
    setIni("[NMEA0183]\nGLL=0\nVTG=1\n");
    EXPECT_EQ(LoadNmeaSentences(&gll, nullptr, &vtg), 1);
    EXPECT_EQ(gll, 0);
    EXPECT_EQ(vtg, 1);
    uint32_t baud = 4800;
    LoadBaud(&baud, "Compass");
    EXPECT_EQ(baud, 4800u);
    EXPECT_EQ(SaveBaud(9600, "NMEA0183"), 0);
    LoadBaud(&baud, "nmea0183");
    EXPECT_EQ(baud, 9600u);
}

TEST_F(Settings, PositionsMustKeepAPieceOnScreen)
{
    struct Case {
        RECT rect;
        int32_t saved;
    } cases[] = {
        {{100, 100, 400, 300}, 1},
        {{-500, -500, -100, -100}, 0},  // wholly off screen
        {{1000, 100, 1300, 300}, 0},    // only 24 pixels across on screen
        {{970, 100, 1300, 300}, 1},     // 54 pixels on screen
        {{994, 700, 1024, 800}, 1},     // 30 wide, all of it and 68 rows on screen
        {{994, 740, 1024, 800}, 0},     // 30 wide but only 28 rows on screen
    };
    for (auto& c : cases) {
        RECT r = c.rect;
        EXPECT_EQ(SavePosition(&r, "SedrixWnd"), c.saved) << c.rect.left << "," << c.rect.top;
        RECT loaded{1, 2, 3, 4};
        EXPECT_EQ(LoadPosition(&loaded, "SedrixWnd"), c.saved);
        if (c.saved) {
            EXPECT_EQ(loaded.left, c.rect.left);
            EXPECT_EQ(loaded.bottom, c.rect.bottom);
        } else {
            EXPECT_EQ(loaded.left, PROFILE_ABSENT);
            EXPECT_EQ(loaded.top, 0);
            EXPECT_EQ(loaded.right, 0);
        }
    }
    // Written even when off screen, in the order Top, Left, Bottom, Right.
    std::string text = ini();
    auto section = text.find("[SedrixWnd]");
    EXPECT_LT(section, text.find("Top=740"));
    EXPECT_LT(text.find("Top=740"), text.find("Left=994"));
    EXPECT_LT(text.find("Bottom=800"), text.find("Right=1024"));

    RECT zero{0, 0, 0, 0};
    EXPECT_EQ(SavePosition(&zero, "Title"), 1);
    RECT missing;
    EXPECT_EQ(LoadPosition(&missing, "NeverSaved"), 0);
    EXPECT_EQ(missing.left, PROFILE_ABSENT);

    // One key lost is a lost position, not a window reaching up to -2147483648.
    setIni("[DepthWnd]\nLeft=100\nBottom=300\nRight=400\n");
    EXPECT_EQ(LoadPosition(&missing, "DepthWnd"), 0);
    EXPECT_EQ(missing.left, PROFILE_ABSENT);
}

TEST_F(Settings, LastChartAreaIsWrittenAsNumbers)
{
    int32_t l = -1800000000, t = 900000000, r = 1800000000, b = -900000000;
    EXPECT_EQ(SaveLastChartArea(&l, &t, &r, &b), 1);
    EXPECT_EQ(value("LastPos", "Left"), "-1800000000");
    EXPECT_EQ(value("LastPos", "Bottom"), "-900000000");
}

} // namespace
