// The dialogs and the analysis window as the user sees them: grabbed to images (kept in the
// build folder to look at), grey with the analysis title in dark red.
#include "BoxEditorHost.h"
#include "classification/AnalysisWindow.h"
#include "chart/ChartHooks.h"
#include "classification/BoxDialogs.h"

#include <QImage>
#include <QPixmap>

#include <filesystem>
#include <functional>

namespace {

constexpr QColor grey(127, 127, 127);

QImage grabbed(QWidget* widget, const char* name)
{
    QImage image = widget->grab().toImage();
    std::filesystem::create_directories(GRAB_DIR);
    image.save(QString(GRAB_DIR) + "/" + name + ".png");
    return image;
}

int pixelsOf(const QImage& image, QRect area, const std::function<bool(QColor)>& wanted)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += wanted(image.pixelColor(x, y));
    return n;
}

bool nearBlack(QColor c) { return c.red() < 40 && c.green() < 40 && c.blue() < 40; }
bool darkRed(QColor c) { return c.red() > 100 && c.green() < 30 && c.blue() < 30; }

class GrabTest : public BoxEditorHost {};

TEST_F(GrabTest, DialogsAreGreyAndTheAnalysisTitleDarkRed)
{
    std::snprintf(boxFile.typeNames[3], BOX_NAME_SIZE, "Gravel");
    boxFile.typeCount = 4;
    for (auto [show, name] : {std::pair{&ShowScalesDialog, "scales"}, std::pair{&ShowBottomDialog, "bottom"},
                              std::pair{&ShowDeleteTypeDialog, "deltype"}}) {
        SCOPED_TRACE(name);
        HWND dialog = show(sedrixWindow, &boxFile);
        QWidget* widget = win::widgetOf(dialog);
        widget->adjustSize();
        QImage image = grabbed(widget, name);
        EXPECT_EQ(image.pixelColor(2, 2), grey);
        EXPECT_GT(pixelsOf(image, image.rect(), nearBlack), 50); // the texts
        DestroyWindow(dialog);
    }

    HWND analysis = ShowAnalysisWindow(sedrixWindow);
    boxFile.lastColumn = 12;
    boxFile.lastRow = 3;
    SendMessageA(analysis, WM_NEW_READING, 0, 0);
    QWidget* widget = win::widgetOf(analysis);
    QImage image = grabbed(widget, "analysis");
    EXPECT_EQ(image.pixelColor(3, image.height() - 3), grey);
    EXPECT_GT(pixelsOf(image, QRect(0, 0, image.width(), screenMetrics.L), darkRed), 10);
    QImage screen = grabbed(mainWidget, "main");
    QPoint at = widget->geometry().topLeft() + QPoint(3, widget->height() - 3);
    EXPECT_EQ(screen.pixelColor(at), grey); // seen over the main window
    CloseAnalysisWindow();
}

} // namespace
