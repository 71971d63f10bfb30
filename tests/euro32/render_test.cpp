// Offscreen rendering of a small test cell: land, depth shades, contour, soundings, symbols and
// the colour schemes.
#include "enginefixture.h"

#include "colours.h"
#include "renderer.h"

#include "platform/messages.h"
#include "platform/profile.h"

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

TEST_F(RenderTest, BuoyDrawnInItsColour)
{
    const QImage image = capture(window);
    const QPoint at = pixelOf(window, testcell::stripCentre(4), 60.015);
    EXPECT_GE(countNear(image, QRect(at.x() - 6, at.y() - 12, 13, 13), colour(Scheme::Day, Colour::Red), 20), 10);
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

TEST_F(RenderTest, BlankShowsNoChartAndNormalBringsItBack)
{
    ASSERT_GT(EC_oemChart_doAction(EC_ACTION_BLANK), 0);
    EXPECT_TRUE(near(pixelAt(window, testcell::stripCentre(0), 60.018), colour(Scheme::Day, Colour::NoData), 2));
    EXPECT_EQ(euro32::chartWidget(window)->windowTitle().toStdString(), "Blank");
    ASSERT_GT(EC_oemChart_doAction(EC_ACTION_NORMAL), 0);
    EXPECT_TRUE(near(pixelAt(window, testcell::stripCentre(0), 60.018), colour(Scheme::Day, Colour::Land), 2));
    EXPECT_EQ(euro32::chartWidget(window)->windowTitle().toStdString(), "TVTEST01");
}
