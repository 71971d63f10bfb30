// Offscreen rendering of a small test cell: land, depth shades, contour, soundings, symbols and
// the colour schemes.
#include "enginefixture.h"

#include "colours.h"
#include "renderer.h"

#include "platform/messages.h"
#include "platform/profile.h"
#include "platform/winuser.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

using namespace euro32;

namespace {

// Counts pixels of a colour inside a box of the image.
int countNear(const QImage& image, QRect box, const QColor& c, int tolerance = 10)
{
    int n = 0;
    for (int y = std::max(box.top(), 0); y <= std::min(box.bottom(), image.height() - 1); ++y)
        for (int x = std::max(box.left(), 0); x <= std::min(box.right(), image.width() - 1); ++x)
            n += near(image.pixelColor(x, y), c, tolerance);
    return n;
}

QPoint pixelOf(HWND window, double lon, double lat)
{
    int x = 0, y = 0;
    EC_GeosToPixel(static_cast<int32_t>(lon * 1e7), static_cast<int32_t>(lat * 1e7), &x, &y, window);
    return {x, y};
}

class RenderTest : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        testcell::write(chartFolder() / "TVTEST01.000");
        start();
        window = openWindow(500, 300);
    }
    HWND window = nullptr;
};

} // namespace

TEST_F(RenderTest, LandAndEachDepthAreaInItsShade)
{
    // Defaults: shallow 5, safety 10, deep 20 m.
    const Colour expected[] = {Colour::Land, Colour::VeryShallow, Colour::MediumShallow,
                               Colour::MediumDeep, Colour::Deep};
    for (int strip = 0; strip < 5; ++strip) {
        const QColor got = pixelAt(window, testcell::stripCentre(strip), 60.018);
        EXPECT_TRUE(near(got, colour(Scheme::Day, expected[strip]), 2))
            << "strip " << strip << " is " << got.name().toStdString();
    }
    // Four distinct water shades.
    EXPECT_NE(colour(Scheme::Day, Colour::VeryShallow), colour(Scheme::Day, Colour::MediumShallow));
}

TEST_F(RenderTest, SafetyContourDrawnAlongItsLine)
{
    const QImage image = capture(window);
    const QPoint top = pixelOf(window, testcell::kWest + 3 * testcell::kStrip, 60.018);
    // The 10 m contour is the safety contour: a dark line two pixels wide.
    EXPECT_GE(countNear(image, QRect(top.x() - 2, top.y() - 5, 5, 11),
                        colour(Scheme::Day, Colour::SafetyContour), 40), 11);
    // Not drawn away from the line.
    const QPoint clear = pixelOf(window, testcell::stripCentre(3), 60.018);
    EXPECT_EQ(countNear(image, QRect(clear.x() - 2, clear.y() - 5, 5, 11),
                        colour(Scheme::Day, Colour::SafetyContour), 40), 0);
}

TEST_F(RenderTest, SoundingDigitsAreDrawnAtTheSounding)
{
    const QImage image = capture(window);
    const QPoint at = pixelOf(window, testcell::kSoundingLon, testcell::kSoundingLat);
    // 7.3 m is shallower than the safety contour: black figures on the 5-10 m shade.
    const int ink = countNear(image, QRect(at.x() - 10, at.y() - 10, 21, 21),
                              colour(Scheme::Day, Colour::SoundingShoal), 60);
    EXPECT_GE(ink, 8);
    // Without soundings the same spot is clean.
    win::scripted::queueDialog("Chart Settings", {IDOK, {{4, "0"}}});
    EC_oemChart_doAction(EC_ACTION_SETTINGS);
    EXPECT_EQ(countNear(capture(window), QRect(at.x() - 10, at.y() - 10, 21, 21),
                        colour(Scheme::Day, Colour::SoundingShoal), 60), 0);
}

TEST_F(RenderTest, BuoysDrawnInTheirColoursWithCardinalTopmarks)
{
    const QImage image = capture(window);
    const QPoint port = pixelOf(window, testcell::stripCentre(4), testcell::kBuoyLat);
    EXPECT_GE(countNear(image, QRect(port.x() - 6, port.y() - 12, 13, 13), colour(Scheme::Day, Colour::Red), 20), 10);
    // South cardinal: yellow over black, and two black cones on top.
    const QPoint south = pixelOf(window, testcell::stripCentre(4), testcell::kCardinalLat);
    const QColor yellow = colour(Scheme::Day, Colour::Yellow);
    const QColor black = colour(Scheme::Day, Colour::Black);
    EXPECT_GE(countNear(image, QRect(south.x() - 3, south.y() - 11, 7, 5), yellow, 40), 8);
    EXPECT_GE(countNear(image, QRect(south.x() - 2, south.y() - 5, 5, 3), black, 40), 8);
    EXPECT_GE(countNear(image, QRect(south.x() - 4, south.y() - 26, 9, 12), black, 40), 12);
}

TEST_F(RenderTest, ColourCyclesDayDuskNightAndDarkensTheSystemColours)
{
    const double lon = testcell::stripCentre(0);
    EXPECT_TRUE(near(pixelAt(window, lon, 60.018), colour(Scheme::Day, Colour::Land), 2));
    const int dayButton = QApplication::palette().color(QPalette::Button).red();

    ASSERT_GT(EC_oemChart_doAction(EC_ACTION_COLOUR), 0);
    EXPECT_TRUE(near(pixelAt(window, lon, 60.018), colour(Scheme::Dusk, Colour::Land), 2));
    ASSERT_GT(EC_oemChart_doAction(EC_ACTION_COLOUR), 0);
    EXPECT_TRUE(near(pixelAt(window, lon, 60.018), colour(Scheme::Night, Colour::Land), 2));
    for (int strip = 1; strip < 5; ++strip)
        EXPECT_LT(pixelAt(window, testcell::stripCentre(strip), 60.018).lightness(), 60) << strip;
    // The program detects night as 192 x SNIGHT x 1.05 >= the button face's red (SNIGHT 0.5).
    EXPECT_LE(QApplication::palette().color(QPalette::Button).red(), 192 * 0.5 * 1.05);

    ASSERT_GT(EC_oemChart_doAction(EC_ACTION_COLOUR), 0);
    EXPECT_TRUE(near(pixelAt(window, lon, 60.018), colour(Scheme::Day, Colour::Land), 2));
    EXPECT_EQ(QApplication::palette().color(QPalette::Button).red(), dayButton);
}

TEST_F(RenderTest, SafetyContourSettingReshadesTheAreas)
{
    // Safety at 20 m: the 10-20 m strip becomes shallower than safety.
    win::scripted::queueDialog("Chart Settings", {IDOK, {{2, "20"}, {3, "30"}}});
    ASSERT_GT(EC_oemChart_doAction(EC_ACTION_SETTINGS), 0);
    EXPECT_TRUE(near(pixelAt(window, testcell::stripCentre(3), 60.018),
                     colour(Scheme::Day, Colour::MediumShallow), 2));
    EXPECT_EQ(std::string("20"), [] {
        char b[16];
        GetPrivateProfileStringA("DISPLAY", "SafetyContour", "", b, sizeof b, "c:\\varnel\\chart.ini");
        return std::string(b);
    }());
    // Contours out of order are refused with a message and change nothing.
    win::scripted::queueDialog("Chart Settings", {IDOK, {{1, "30"}, {2, "10"}}});
    EC_oemChart_doAction(EC_ACTION_SETTINGS);
    ASSERT_EQ(win::scripted::boxes().size(), 1u);
    EXPECT_TRUE(near(pixelAt(window, testcell::stripCentre(3), 60.018),
                     colour(Scheme::Day, Colour::MediumShallow), 2));
}

TEST_F(RenderTest, BlankAndNormalOpenTheNewChartWindowInPlaceOfTheClosedOne)
{
    // As the program's display toggle does it: close the top chart window, then the action.
    struct Step {
        int action;
        const char* title;
        Colour land;
    };
    for (const Step& step : {Step{EC_ACTION_BLANK, "Blank", Colour::NoData},
                             Step{EC_ACTION_NORMAL, "TVTEST01", Colour::Land}}) {
        DestroyWindow(GetParent(window));
        ASSERT_EQ(EC_GetCurentChartHandle(), 0);
        ASSERT_GT(EC_oemChart_doAction(step.action), 0);
        window = reinterpret_cast<HWND>(EC_GetCurentChartHandle());
        ASSERT_NE(window, nullptr) << step.title;
        EXPECT_EQ(euro32::chartWidget(window)->windowTitle().toStdString(), step.title);
        EXPECT_TRUE(near(pixelAt(window, testcell::stripCentre(0), 60.018), colour(Scheme::Day, step.land), 2))
            << step.title;
    }
}

// Soundings on a 0-20 m depth area, whose shade no blend of black figures comes near grey.
class SoundingTest : public EngineTest {
protected:
    void writeCell(std::vector<chartmaker::Sounding> soundings)
    {
        chartmaker::S57CellWriter cell({"TVSNDG01.000", 20000, "20260101", "soundings"});
        cell.addArea("DEPARE", {{{9.9, 59.9}, {9.9, 60.1}, {10.1, 60.1}, {10.1, 59.9}}},
                     {{"DRVAL1", "0"}, {"DRVAL2", "20"}});
        cell.addSoundings(std::move(soundings));
        std::string error;
        ASSERT_TRUE(cell.write((chartFolder() / "TVSNDG01.000").string(), &error)) << error;
        start();
        window = openWindow(400, 300);
    }
    int inkAround(double lon, double lat, Colour ink, int tolerance = 60)
    {
        const QPoint at = pixelOf(window, lon, lat);
        return countNear(capture(window), QRect(at.x() - 10, at.y() - 9, 21, 19), colour(Scheme::Day, ink),
                         tolerance);
    }
    HWND window = nullptr;
};

TEST_F(SoundingTest, DryingHeightIsUnderlined)
{
    writeCell({{10.010, 60.010, 1.2}, {10.020, 60.010, -1.2}});
    ASSERT_GT(EC_ChangeChartArea(window, 100050000, 600120000, 100250000, 600080000), 0);
    const int depth = inkAround(10.010, 60.010, Colour::SoundingShoal);
    const int drying = inkAround(10.020, 60.010, Colour::SoundingShoal);
    EXPECT_GE(depth, 8);
    EXPECT_GE(drying, depth + 4) << "the same figure with its underline";
}

TEST_F(SoundingTest, CrowdedFiguresGiveWayToTheShoalest)
{
    // 12 m (grey, deeper than the 10 m safety contour) and 3 m (black) some 35 m apart.
    writeCell({{10.0100, 60.010, 12.0}, {10.0106, 60.010, 3.0}});
    ASSERT_GT(EC_ChangeChartArea(window, 100096000, 600102000, 100110000, 600098000), 0);
    EXPECT_GE(inkAround(10.0100, 60.010, Colour::SoundingDeep, 10), 8) << "apart: both shown";
    EXPECT_GE(inkAround(10.0106, 60.010, Colour::SoundingShoal), 8);
    // Zoomed out until the two would print over each other.
    ASSERT_GT(EC_ChangeChartArea(window, 99500000, 600300000, 100700000, 599900000), 0);
    EXPECT_EQ(inkAround(10.0103, 60.010, Colour::SoundingDeep, 10), 0);
    EXPECT_GE(inkAround(10.0103, 60.010, Colour::SoundingShoal), 8);
}
