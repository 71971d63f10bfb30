// The pen and brush sets: which palette colour each entry draws in, by day and by night.
#include "DrawingFixture.h"

#include "chart/ChartColours.h"
#include "platform/files.h"
#include "platform/winuser.h"

#include <QApplication>
#include <QPalette>

#include <filesystem>

class TrackPens : public DrawingTest {};

TEST_F(TrackPens, TrackPensFollowTheColourSettings)
{
    struct Case {
        int byClass;
        int choice;
        int entry;
        int expected; // palette colour
    };
    const Case cases[] = {{1, 4, 17, 17}, {1, 0, 40, 40}, {0, 1, 17, 11}, {0, 1, 0, 11}, {0, 2, 17, 5},
                          {0, 3, 17, 34}, {0, 5, 40, 40}, {0, 0, 17, 30}, {0, 4, 17, 30}};
    for (const Case& c : cases) {
        globaltrackstatus.field[TS_CURRENT_BY_CLASS] = c.byClass;
        globaltrackstatus.field[TS_CURRENT_COLOUR] = c.choice;
        globaltrackstatus.field[TS_CURRENT_PEN_WIDTH] = 5;
        globaltrackstatus.field[TS_PAST_BY_CLASS] = c.byClass;
        globaltrackstatus.field[TS_PAST_COLOUR] = c.choice;
        globaltrackstatus.field[TS_PAST_PEN_WIDTH] = 2;
        RecreateCurrentTrackPens();
        RecreatePastTrackPens();
        EXPECT_EQ(CurrentTrackPens[c.entry].color(), palette(c.expected)) << c.byClass << "/" << c.choice;
        EXPECT_EQ(PastTrackPens[c.entry].color(), palette(c.expected)) << c.byClass << "/" << c.choice;
        EXPECT_EQ(CurrentTrackPens[c.entry].width(), 5);
        EXPECT_EQ(PastTrackPens[c.entry].width(), 2);
    }
    // Red whatever colour number a point carries.
    globaltrackstatus.field[TS_CURRENT_BY_CLASS] = 0;
    globaltrackstatus.field[TS_CURRENT_COLOUR] = 1;
    RecreateCurrentTrackPens();
    for (const QPen& pen : CurrentTrackPens)
        EXPECT_EQ(pen.color(), QColor(255, 0, 0));
}

TEST_F(TrackPens, NightPaletteRecreatesEverySet)
{
    const PaletteEntry& night = NightColours[29];
    ASSERT_EQ(night.red, 127); // SNIGHT 0.5 of (255,160,0)
    SwitchPalette(1);
    for (QColor colour : {CurrentTrackPens[29].color(), PastTrackPens[29].color(), ProfilePens[29].color(),
                          ClassBrushes[29].color(), PaletteColour(29)})
        EXPECT_EQ(colour, QColor(127, 80, 0));
    SwitchPalette(2);
    EXPECT_EQ(ClassBrushes[29].color(), QColor(255, 160, 0));
    EXPECT_EQ(ProfilePens[29].width(), 0);
}

TEST_F(TrackPens, ColourSchemeFollowsTheEngineIntoTheNightAndBack)
{
    // The engine goes day, dusk, night; only night darkens the button face.
    EC_oemChart_doAction(EC_ACTION_COLOUR);
    UpdateColourScheme(chartWindow);
    EXPECT_FALSE(NightScheme);
    EC_oemChart_doAction(EC_ACTION_COLOUR);
    UpdateColourScheme(chartWindow);
    EXPECT_TRUE(NightScheme);
    EXPECT_EQ(CurrentTrackPens[29].color(), QColor(127, 80, 0));
    EXPECT_NE(TempDataRoot::readFile(host("C:\\VARNEL3D\\lvl\\interpol.lvl")).find("\"R127G080B000\""),
              std::string::npos);
    EC_oemChart_doAction(EC_ACTION_COLOUR);
    UpdateColourScheme(chartWindow);
    EXPECT_FALSE(NightScheme);
    EXPECT_EQ(CurrentTrackPens[29].color(), QColor(255, 160, 0));
}

TEST_F(TrackPens, ButtonFaceComesAsBlueGreenRed)
{
    const QPalette before = QApplication::palette();
    QPalette palette = before;
    palette.setColor(QPalette::Button, QColor(10, 20, 30));
    QApplication::setPalette(palette);
    const COLORREF face = GetSysColor(COLOR_3DFACE);
    QApplication::setPalette(before);
    EXPECT_EQ(face, 0x001E140Au);
    EXPECT_EQ(GetRValue(face), 10);
}
