// The frame's windows as the user sees them on a 1024 x 768 screen. With
// FRAMEWINDOWS_SCREENSHOT=<file.png> the picture is kept for a look.
#include "ProgramWindows.h"

#include "frame/ChartButtonBar.h"
#include "frame/ChartTitleStrip.h"
#include "frame/ControlBars.h"
#include "frame/SedrixToolbar.h"

#include <QImage>
#include <QPushButton>

namespace {

using Screen = ProgramWindows;

int darkPixels(const QImage& image, QRect area)
{
    int dark = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            dark += qGray(image.pixel(x, y)) < 80;
    return dark;
}

TEST_F(Screen, BarsAreDrawnFramedAndLabelled)
{
    chartWidget->setAutoFillBackground(true);
    chartWidget->setPalette(QPalette(QColor(170, 210, 230)));
    ShowChartTitleStrip(mainWindow, "No Chart Selected for Sedrix");
    ShowControls(0, chartWindow);
    ShowControls(1, chartWindow);
    ShowControls(2, chartWindow);
    CreateChartButtonBar(chartWindow, nullptr);
    SelectScaleButton(hwndChartButtonBar, 25000);
    CreateSedrixToolbar(chartWindow);
    SendMessageA(hwndSedrixToolbar, WM_TOOLBAR_CHECK, IDM_SAVING, 1);
    SendMessageA(hwndSedrixToolbar, WM_TOOLBAR_IMAGE, IDM_PAST_COLOUR, 1);
    SetToolbarCursorPosition("50\xC2\xB0" "48.1234'N", "001\xC2\xB0" "05.4567'W");

    const QImage screen = mainWidget->grab().toImage();
    ASSERT_EQ(screen.size(), QSize(1024, 768));
    if (const QByteArray file = qgetenv("FRAMEWINDOWS_SCREENSHOT"); !file.isEmpty())
        screen.save(QString::fromLocal8Bit(file));

    // The bottom bar: black frame along its top edge and grey between the buttons.
    EXPECT_EQ(screen.pixelColor(500, 748), QColor(Qt::black));
    EXPECT_EQ(screen.pixelColor(88, 758), QColor(192, 192, 192));
    // Its labels are drawn in black inside each button.
    for (int b = 0; b < 10; ++b)
        EXPECT_GT(darkPixels(screen, QRect(b * 89 + 4, 752, 79, 12)), 10) << b;
    // The title strip shows its text on the top line.
    EXPECT_GT(darkPixels(screen, QRect(300, 2, 424, 16)), 30);
    // The button bar's labels, down the right edge.
    const RECT bar = screenRect(hwndChartButtonBar);
    EXPECT_GT(darkPixels(screen, QRect(bar.left + 4, bar.top + 4, bar.right - bar.left - 8, 20)), 10);
}

} // namespace
