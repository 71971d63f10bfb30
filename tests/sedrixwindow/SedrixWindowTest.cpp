// The classification window in normal mode: the trail of the latest readings in its grid, the
// reading's values, its positions with their defaults, and hiding it through the chart window.
#include "SedrixHost.h"

#include "frame/Inifile.h"

#include <QLabel>

#include <string>
#include <vector>

namespace {

using SedrixWindow = SedrixHost;

// A mark inverts the pixels of its rectangle's edge: the left edge's middle shows it.
bool marked(const QImage& picture, const QImage& bare, QPoint reading)
{
    const QPoint edge = reading - QPoint(4, 0);
    return picture.pixel(edge) == (bare.pixel(edge) ^ 0x00FFFFFFu);
}

std::string labelText(int id)
{
    auto* label = win::widgetOf(hwndSedrixWnd)->findChild<QLabel*>(QString::number(id));
    return label ? label->text().toStdString() : "(none)";
}

std::string profileText(const char* section, const char* key)
{
    char text[64] = "";
    GetVarnelProfileString(section, key, text);
    return text;
}

RECT windowRect() { return screenRect(hwndSedrixWnd); }

TEST_F(SedrixWindow, ThirteenMarksStayAndTheFourteenthReadingErasesTheFirst)
{
    open();
    const int cell = screenMetrics.unit;
    const QImage bare = gridPicture();
    std::vector<QPoint> pixels;
    for (int i = 0; i < 14; ++i)
        pixels.push_back(QPoint(12 + 17 * i, 14 + 16 * i));
    for (int i = 0; i < 13; ++i) {
        auto [e1, e2] = valuesAt(pixels[i], cell);
        sendReading(e1, e2);
    }
    QImage picture = gridPicture();
    for (int i = 0; i < 13; ++i)
        EXPECT_TRUE(marked(picture, bare, pixels[i])) << "mark " << i;

    auto [e1, e2] = valuesAt(pixels[13], cell);
    sendReading(e1, e2);
    picture = gridPicture();
    keepPicture(win::widgetOf(hwndSedrixWnd)->grab().toImage(), "normal");
    keepPicture(mainWidget->grab().toImage(), "screen");
    EXPECT_FALSE(marked(picture, bare, pixels[0]));
    EXPECT_EQ(picture.pixel(pixels[0] - QPoint(4, 0)), bare.pixel(pixels[0] - QPoint(4, 0)));
    for (int i = 1; i < 14; ++i)
        EXPECT_TRUE(marked(picture, bare, pixels[i])) << "mark " << i;

    char expected[32];
    std::snprintf(expected, sizeof expected, "E1- %1.3f", double(e1));
    EXPECT_EQ(labelText(IDC_SEDRIX_READING_E1), expected);
    std::snprintf(expected, sizeof expected, "E2- %1.3f", double(e2));
    EXPECT_EQ(labelText(IDC_SEDRIX_READING_E2), expected);
}

TEST_F(SedrixWindow, AReadingOutsideTheBoxLeavesNoMarkButShowsItsValues)
{
    open();
    const QImage bare = gridPicture();
    sendReading(boxFile.e1Max + 0.5f, boxFile.e2Min);
    EXPECT_EQ(gridPicture(), bare);
    char expected[32];
    std::snprintf(expected, sizeof expected, "E1- %1.3f", double(boxFile.e1Max + 0.5f));
    EXPECT_EQ(labelText(IDC_SEDRIX_READING_E1), expected);
}

TEST_F(SedrixWindow, ShowsTheBoxBoundsWithTwoDecimals)
{
    boxFile.e1Max = 3.5f;
    boxFile.e2Min = 0.126f;
    open();
    EXPECT_EQ(labelText(IDC_SEDRIX_E1MAX), "3.50");
    EXPECT_EQ(labelText(IDC_SEDRIX_E2MIN), "0.13");
}

TEST_F(SedrixWindow, StoredPositionsAreRestoredOrReplacedByTheDefault)
{
    // Default: the grid's rectangle at the screen's bottom right, (760, 432) on this screen.
    struct Case {
        RECT stored;
        POINT expected;
    } cases[] = {
        {{100, 120, 360, 440}, {100, 120}},
        {{-60, 120, 200, 440}, {760, 432}},   // left below -50
        {{100, -60, 360, 260}, {760, 432}},   // top below -50
        {{-500, -500, -100, -100}, {760, 432}}, // off the screen
    };
    for (const Case& c : cases) {
        RECT stored = c.stored;
        SavePosition(&stored, "SedrixWnd");
        open();
        EXPECT_EQ(windowRect().left, c.expected.x) << c.stored.left << "," << c.stored.top;
        EXPECT_EQ(windowRect().top, c.expected.y) << c.stored.left << "," << c.stored.top;
        CloseSedrixWindow();
    }
}

TEST_F(SedrixWindow, TheCaptionMovesTheWindowAndItReopensWhereItWasLeft)
{
    open();
    QWidget* frame = win::widgetOf(hwndSedrixWnd);
    const RECT before = windowRect();
    QTest::mousePress(frame, Qt::LeftButton, Qt::NoModifier, QPoint(60, 5));
    QTest::mouseMove(frame, QPoint(20, 5));
    QTest::mouseRelease(frame, Qt::LeftButton, Qt::NoModifier, QPoint(20, 5));
    const RECT moved = windowRect();
    EXPECT_EQ(moved.left, before.left - 40);
    CloseSedrixWindow();
    open();
    EXPECT_EQ(windowRect().left, moved.left);
    EXPECT_EQ(windowRect().top, moved.top);
}

TEST_F(SedrixWindow, HideAsksTheChartWindowWhichClosesItAndTheStatusFollows)
{
    open();
    EXPECT_EQ(profileText("SedrixWnd", "Status"), "On");
    EXPECT_EQ(hwndSedrixWnd, FindWindowA("SedrixWnd", nullptr));
    click(IDC_SEDRIX_HIDE);
    ASSERT_TRUE(processEventsUntil([] { return hwndSedrixWnd == nullptr; }));
    EXPECT_EQ(receivedBy(chartWindow, WM_TOOLWINDOW_CLOSED).size(), 1u);
    EXPECT_EQ(receivedBy(chartWindow, WM_TOOLWINDOW_CLOSED)[0].wParam, WPARAM(SEDRIXWND));
    EXPECT_FALSE(FindWindowA("SedrixWnd", nullptr));
    EXPECT_EQ(profileText("SedrixWnd", "Status"), "Off");
    EXPECT_EQ(boxFile.ownerWindow, nullptr);
}

} // namespace
