// The three track windows as the user sees them over a database of several tracks: the Depth
// Scale's bands in the palette's depth colours, the dialog and the list laid out in full. With
// TRACKWIN_GRABS set to a folder, the grabs are written there as PNG files.
#include "TrackWindows.h"
#include "SurveyDatabase.h"

#include "chart/TrackPens.h"

#include <QDir>
#include <QTreeWidget>

namespace {

using Grabs = TrackWindows;

void keep(const QImage& image, const char* name)
{
    const QString folder = qEnvironmentVariable("TRACKWIN_GRABS");
    if (!folder.isEmpty())
        image.save(QDir(folder).filePath(name));
}

TEST_F(Grabs, TheThreeWindowsOverASurvey)
{
    RecordSurveyLines(3);
    OpenTrackOptions(chartWindow);
    ShowDepthScaleWindow(chartWindow);
    HWND scale = depthScaleWindow();
    ASSERT_TRUE(scale && trackOptionsWindow());
    QWidget* options = win::widgetOf(trackOptionsWindow());
    QWidget* scaleWidget = win::widgetOf(scale);

    // Every control of the dialog lies inside it, none clipped.
    for (QWidget* child : options->findChildren<QWidget*>())
        if (child->isVisible() && !child->objectName().isEmpty()) {
            EXPECT_TRUE(options->rect().contains(QRect(child->mapTo(options, QPoint(0, 0)), child->size())))
                << child->objectName().toStdString();
        }

    const QImage screen = mainWidget->grab().toImage();
    keep(screen, "trackwindows.png");
    const QImage scaleImage = scaleWidget->grab().toImage();
    keep(scaleImage, "depthscale.png");
    const int L = scaleWidget->fontMetrics().height();
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(scaleImage.pixelColor(150, (i + 2) * L + L / 2), PaletteColour(35 + i)) << i;
    // The main window's grab shows the Depth Scale where it floats.
    EXPECT_EQ(screen.pixelColor(scaleWidget->pos() + QPoint(150, 2 * L + L / 2)), PaletteColour(35));

    TrackListDialog list(chartWindow);
    list.show();
    auto* view = list.findChild<QTreeWidget*>(QString::number(IDC_TRACK_LIST));
    EXPECT_EQ(view->topLevelItemCount(), 6);
    keep(list.grab().toImage(), "tracklist.png");
}

} // namespace
