// The classification window while an analysis runs: readings and the beam-0 ring of the current
// track as crosses over the grid, through the analysis window's Start and Stop, and readings
// passed on to it; and the marks' grey at night.
#include "SedrixHost.h"

#include "chart/ChartColours.h"
#include "chart/CurrentTrackRing.h"
#include "chart/TrackDrawing.h"
#include "classification/AnalysisWindow.h"

namespace {

using AnalysisScatter = SedrixHost;

QAbstractButton* analysisButton(int id) { return buttonOf(hwndAnalysis, id); }

void clickAndDeliver(QAbstractButton* button)
{
    ASSERT_NE(button, nullptr);
    button->click();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

TrackPoint pointAt(QPoint pixel, int cell)
{
    TrackPoint point{};
    auto [e1, e2] = SedrixHost::valuesAt(pixel, cell);
    point.e1 = e1;
    point.e2 = e2;
    ClassifyReading(&boxFile, &point);
    return point;
}

TEST_F(AnalysisScatter, StartShowsTheRingAndTheReadingsAsCrossesAndStopTakesThemAway)
{
    ClearCurrentTrackRings();
    open();
    click(IDC_SEDRIX_MODE);
    const int cell = screenMetrics.unitEdit;
    const QImage bare = gridPicture();
    click(IDC_SEDRIX_ANALYSIS);
    ASSERT_TRUE(IsWindow(hwndAnalysis));
    clickAndDeliver(analysisButton(IDC_ANALYSIS_START));
    ASSERT_TRUE(bAnalysisRunning);

    const QPoint ringPixel(100, 60), readingPixel(200, 300);
    AppendToRing(0, pointAt(ringPixel, cell));
    AppendToRing(1, pointAt(QPoint(300, 100), cell)); // another beam: not in the scatter
    const TrackPoint reading = pointAt(readingPixel, cell);
    SendMessageA(hwndSedrixWnd, WM_NEW_READING, 2, reinterpret_cast<LPARAM>(&reading));
    // Passed on: the analysis window shows the reading's cell.
    char cellText[32];
    std::snprintf(cellText, sizeof cellText, " > %2d,%2d < ", boxFile.lastColumn, boxFile.lastRow);
    EXPECT_EQ(win::widgetOf(hwndAnalysis)->findChild<QLabel*>(QString::number(IDC_ANALYSIS_CELL))->text().toStdString(),
              cellText);
    clickAndDeliver(analysisButton(IDC_ANALYSIS_REFRESH));

    // A cross's arm is white over the class colour; its corner is not touched.
    const QImage picture = gridPicture();
    keepPicture(win::widgetOf(hwndSedrixWnd)->grab().toImage(), "analysis");
    for (QPoint p : {ringPixel, readingPixel}) {
        EXPECT_EQ(picture.pixel(p + QPoint(3, 0)) & 0xFFFFFFu, 0xFFFFFFu);
        EXPECT_EQ(picture.pixel(p + QPoint(0, -3)) & 0xFFFFFFu, 0xFFFFFFu);
        EXPECT_EQ(picture.pixel(p + QPoint(3, 3)), bare.pixel(p + QPoint(3, 3)));
    }
    EXPECT_EQ(picture.pixel(QPoint(303, 100)), bare.pixel(QPoint(303, 100)));

    clickAndDeliver(analysisButton(IDC_ANALYSIS_STOP));
    ASSERT_FALSE(bAnalysisRunning);
    EXPECT_EQ(gridPicture(), bare);
    ClearCurrentTrackRings();
}

TEST_F(AnalysisScatter, AtNightTheMarksAreGrey)
{
    NightScheme = true;
    open();
    const QImage bare = gridPicture();
    const QPoint pixel(40, 40);
    auto [e1, e2] = valuesAt(pixel, screenMetrics.unit);
    sendReading(e1, e2);
    const QPoint edge = pixel - QPoint(4, 0);
    EXPECT_EQ(gridPicture().pixel(edge), bare.pixel(edge) ^ 0x666666u);
    NightScheme = false;
}

} // namespace
