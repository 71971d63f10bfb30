#include "chart/ChartWindow.h"

#include "ChartCapture.h"
#include "ChartCommands.h"
#include "ChartWidget.h"
#include "OverlayDrawing.h"
#include "ToolWindows.h"
#include "VesselSymbol.h"

#include "chart/ChartHooks.h"
#include "chart/TrackDrawing.h"
#include "replay/ReplayWindow.h"
#include "trackwin/DepthScale.h"
#include "trackwin/TrackOptions.h"
#include "trackwin/TrackpointEnquiry.h"
#include "euro32/euro32.h"
#include "frame/ControlBars.h"
#include "frame/Inifile.h"
#include "frame/WindowLayout.h"
#include "recording/RecordingControl.h"
#include "platform/gui.h"
#include "platform/messages.h"
#include "recording/ModuleBinding.h"

#include <QPaintEvent>
#include <QPainter>

HWND hwndChart = nullptr;
bool fReadVesselKnots = true;
float rVesselKnots = 0.0f;
uint32_t vesselKnotsUpdate = 0;
char szChartDirectory[MAX_PATH] = "";

namespace {

bool screenStale = true;

// The screen image: the painting source with the live layers drawn on.
void rebuildScreen(HWND chartWindow, const QImage& source)
{
    chartSurface.screen = source.copy();
    QPainter dc(&chartSurface.screen);
    DrawSelectedPastTrack(chartWindow, dc);
    RedrawCurrentTrack(chartWindow, dc);
    DrawOverlays(chartSurface.engineWindow, dc);
    screenStale = false;
}

void chartTimerTick(HWND chartWindow)
{
    if (fReadVesselKnots && hSwath.GetTrackKnots) {
        rVesselKnots = hSwath.GetTrackKnots();
        if (hSwath.GetTrackKnotsUpdate)
            vesselKnotsUpdate = hSwath.GetTrackKnotsUpdate();
    }
    if (fAutoScroll && VesselNeedsRecentring(chartWindow))
        CentreOnShip(chartWindow, 50);
    OnNewReading(chartWindow);
    UpdateReplayCounter();
}

bool moduleStarted = false;

LRESULT onCreate(HWND chartWindow)
{
    hwndChart = chartWindow;
    SetTimer(chartWindow, CHART_TIMER_ID, CHART_TIMER_MS, nullptr);
    // Without the module the chart still shows, without bars to drive a survey.
    moduleStarted = StartSwathModule(chartWindow);
    return 0;
}

void onDestroy(HWND chartWindow)
{
    KillTimer(chartWindow, CHART_TIMER_ID);
    int32_t pingsOnly = 0;
    GetVarnelProfileInt("SONKEL32", "ShowPingsOnly", &pingsOnly);
    StopSwathModule(chartWindow, pingsOnly == 1);
    DestroyChartBars();
    chartSurface.screen = QImage();
    ReleaseChartImages();
    hwndChart = nullptr;
}

// A tool that has the mouse takes it; otherwise the left button draws the zoom box and a right
// click redraws the chart.
LRESULT chartMouse(HWND chartWindow, UINT message, LPARAM lParam)
{
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (ChartMouseHandler tool = CurrentChartMouseHandler(); tool && tool(chartWindow, message, at))
        return 0;
    auto* widget = dynamic_cast<ChartWidget*>(win::widgetOf(chartWindow));
    switch (message) {
    case WM_LBUTTONDOWN:
        if (widget)
            widget->zoomPress(QPoint(at.x, at.y));
        break;
    case WM_MOUSEMOVE:
        if (widget)
            widget->zoomMove(QPoint(at.x, at.y));
        break;
    case WM_LBUTTONUP:
        if (widget)
            widget->zoomRelease(QPoint(at.x, at.y));
        break;
    case WM_RBUTTONUP:
        PostMessageA(chartWindow, WM_CHART_REFRESH, 0, 0);
        break;
    }
    return 0;
}

LRESULT CALLBACK_ChartWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return onCreate(window);
    case WM_DESTROY:
        onDestroy(window);
        return 0;
    case WM_TIMER:
        if (wParam == CHART_TIMER_ID)
            chartTimerTick(window);
        return 0;
    case WM_CHART_REFRESH:
        RefreshChart(GetParent(window));
        return 0;
    case WM_CHART_SHOW_CONTROLS:
        ShowControls(0, window);
        return 0;
    case WM_CONTROLBAR_COMMAND:
        return ChartBarCommand(window, int(wParam), int(lParam));
    case WM_COMMAND:
        return ChartToolbarCommand(window, LOWORD(wParam));
    case WM_TOOLWINDOW_CLOSED:
        return CloseToolWindow(window, int(wParam), lParam);
    case WM_DEPTH_COLOURS:
        ShowDepthScaleWindow(window);
        return 0;
    case WM_MODE_ENDED:
        if (wParam == ENQUIRY_MODE_ID)
            ShowToolWindows(true);
        return 0;
    case WM_CHART_REPLAY_ERASE:
        ClearCurrentTrackRings();
        RefreshChart(GetParent(window));
        return 0;
    case WM_CHART_REPLAY_BREAK:
        BreakCurrentTrackLines();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return chartMouse(window, message, lParam);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

void InvalidateChart(HWND chartWindow)
{
    screenStale = true;
    InvalidateRect(chartWindow, nullptr, FALSE);
}

HWND CreateChartWnd(HWND mainWindow, RECT rect)
{
    HWND window = win::createWindow("ChartWnd", "Varnel Swath chart window", CALLBACK_ChartWndProc,
                                    mainWindow, nullptr, rect);
    if (window && win::widgetOf(mainWindow)) {
        auto* widget = new ChartWidget(window);
        widget->setParent(win::widgetOf(mainWindow));
        win::attachWidget(window, widget);
        widget->show();
    }
    // The bars are widgets inside the chart window's, which exists only now.
    if (window && moduleStarted)
        CreateChartBars(window);
    return window;
}

// ChartWnd_OnPaint3: the painting source with the live layers, then the markers.
void ChartWidget::paintEvent(QPaintEvent* event)
{
    const QImage* source = ChartPaintingSource();
    if (!EC_GetCurentChartHandle() || !source || source->isNull())
        return; // no chart: validated without painting
    if (screenStale || chartSurface.screen.size() != source->size())
        rebuildScreen(handle_, *source);
    QPainter painter(this);
    painter.drawImage(event->rect(), chartSurface.screen, event->rect());
    DrawVesselSymbol(painter);
    PaintChartMarkers(painter);
    if (auto band = zoomBand()) {
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.setPen(Qt::white);
        painter.drawRect(band->normalized());
    }
}
