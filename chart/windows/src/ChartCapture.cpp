// Capturing the chart: the engine renders its chart window into an image the size of the chart
// window, the stored tracks and their outlines are drawn on, and the result becomes what the
// chart window paints from.
#include "chart/ChartWindow.h"

#include "ChartCapture.h"

#include "chart/TrackDrawing.h"
#include "chart/TrackPens.h"
#include "euro32/euro32.h"
#include "euro32/euro32qt.h"
#include "platform/gui.h"

#include <QApplication>
#include <QMdiArea>
#include <QPainter>
#include <QWidget>

#include <cstring>

int32_t ChartArea[4] = {};
char szChartTitle[128] = "";

namespace {

QImage paintingSource;
int captureDepth = 0;
bool refreshPending = false;
int capturesDone = 0;

QSize clientSize(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    return QSize(client.right - client.left, client.bottom - client.top);
}

// The chart's area from the corners of its window, and its title from the window's frame.
void readChartAreaAndTitle(HWND engineWindow, QSize size)
{
    EC_PixelToGeos(0, 0, &ChartArea[0], &ChartArea[1], engineWindow);
    EC_PixelToGeos(size.width(), size.height(), &ChartArea[2], &ChartArea[3], engineWindow);
    char title[sizeof szChartTitle] = "";
    GetWindowTextA(GetParent(engineWindow), title, sizeof title);
    std::memcpy(szChartTitle, title, sizeof title);
}

} // namespace

HWND TopEngineChartWindow()
{
    return reinterpret_cast<HWND>(EC_GetCurentChartHandle());
}

const QImage* ChartPaintingSource()
{
    return paintingSource.isNull() ? nullptr : &paintingSource;
}

void ReleaseChartImages()
{
    paintingSource = QImage();
}

int ChartCaptureCount()
{
    return capturesDone;
}

void RefreshChart(HWND mainWindow)
{
    if (captureDepth++ > 0) {
        refreshPending = true;
        --captureDepth;
        return;
    }
    HWND engineWindow = TopEngineChartWindow();
    QSize size = clientSize(hwndChart);
    if (engineWindow && !size.isEmpty()) {
        // The engine's window is kept the chart window's size, so their pixels are the same.
        if (QWidget* view = euro32::chartWidget(engineWindow))
            view->setFixedSize(size); // fixed: the hidden MDI area must not lay it out again
        chartSurface.engineWindow = engineWindow;
        QImage capture = euro32::captureChart(engineWindow).convertToFormat(QImage::Format_RGB32);
        readChartAreaAndTitle(engineWindow, size);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        {
            QPainter dc(&capture);
            RedrawPastTracksToBitmap(hwndChart, dc);
            RedrawAllPastTracks(hwndChart, dc);
            dc.setPen(QPen(PaletteColour(30), 1));
            dc.setBrush(Qt::NoBrush);
            dc.drawRect(0, 0, size.width() - 1, size.height() - 1);
        }
        QApplication::restoreOverrideCursor();
        paintingSource = std::move(capture);
        ++capturesDone;
        InvalidateChart(hwndChart);
        UpdateWindow(mainWindow);
    }
    --captureDepth;
    if (refreshPending) {
        refreshPending = false;
        PostMessageA(hwndChart, WM_CHART_REFRESH, 0, 0);
    }
}
