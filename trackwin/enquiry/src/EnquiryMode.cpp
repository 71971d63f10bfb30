// The enquiry mode: its chart window procedure, the enquiry at a click, the marker, start and end.
#include "ClosestPoint.h"
#include "EnquiryDialog.h"
#include "EnquiryState.h"

#include "chart/ChartHooks.h"
#include "chart/TrackDrawing.h"
#include "database/CurrentTrack.h"
#include "frame/ControlBars.h"
#include "frame/ModeWindows.h"
#include "frame/SedrixToolbar.h"
#include "frame/WindowLayout.h"
#include "platform/gui.h"
#include "platform/messages.h"
#include "trackwin/TrackpointEnquiry.h"

#include <QGuiApplication>
#include <QPainter>
#include <QWidget>

#include <new>

SedrixPointInfo* pSedrixInfo = nullptr;
EnquiryState enquiry;

namespace {

// The mode's own record; the three fields' use is open.
struct SedrixInfoRecord {
    HWND dialog = nullptr;
    Qt::CursorShape cursor = Qt::WhatsThisCursor;
    int16_t fields[3] = {15, 0, 0};
};
SedrixInfoRecord* SedrixInfo = nullptr;

// Where the marker was last drawn: a 20 x 20 box round the point and a leader line from the
// dialog to the box corner facing it.
struct Marker {
    bool drawn = false;
    QPoint point;
    QLine leader;
    bool hasLeader = false;
} marker;

void PaintEnquiryMarker(QPainter& painter)
{
    if (!marker.drawn)
        return;
    painter.save();
    // Inverted, so that it shows over land, water and tracks alike.
    painter.setCompositionMode(QPainter::CompositionMode_Difference);
    if (marker.hasLeader) {
        painter.setPen(QPen(Qt::white, 3));
        painter.drawLine(marker.leader);
    }
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(marker.point.x() - 10, marker.point.y() - 10, 20, 20);
    painter.restore();
}

void SetMarkerDrawn(bool drawn)
{
    marker.drawn = drawn;
    InvalidateRect(enquiry.chartWindow, nullptr, FALSE);
}

class WaitCursor {
public:
    WaitCursor()
    {
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~WaitCursor()
    {
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            QGuiApplication::restoreOverrideCursor();
    }
};

void SetChartCursor(HWND chartWindow, const Qt::CursorShape* shape)
{
    if (QWidget* chart = win::widgetOf(chartWindow)) {
        if (shape)
            chart->setCursor(*shape);
        else
            chart->unsetCursor();
    }
}

void ToolbarQueryEnabled()
{
    PostMessageA(hwndSedrixToolbar, WM_TOOLBAR_ENABLE, enquiry.flags & ENQUIRY_SELECT_ONLY ? 40012 : IDM_QUERY_INFO, 1);
}

// The screen quadrant of a pixel: 0 top left, 1 top right, 2 bottom left, 3 bottom right.
int QuadrantOf(POINT at)
{
    return (at.x > screenMetrics.W / 2) + 2 * (at.y > screenMetrics.H / 2);
}

// Centred in the quadrant opposite the marker, keeping its size (the main window, its parent,
// is the screen).
void PlaceDialogOpposite(HWND dialog, int markerQuadrant)
{
    RECT r;
    GetWindowRect(dialog, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int quadrant = 3 - markerQuadrant;
    const int halfW = screenMetrics.W / 2, halfH = screenMetrics.H / 2;
    const int left = (quadrant & 1) * halfW + (halfW - w) / 2;
    const int top = (quadrant >> 1) * halfH + (halfH - h) / 2;
    MoveWindow(dialog, left, top, w, h, TRUE);
}

void ClosestPointEnquiry(HWND chartWindow, POINT click)
{
    WaitCursor wait;
    HWND dialog = SedrixInfo ? SedrixInfo->dialog : nullptr;
    if (dialog && KeepTrackChecked(dialog) && pSedrixInfo->handle != uint32_t(globaltrackstatus.field[TS_PAST_HANDLE]))
        enquiry.keptTrack = pSedrixInfo->handle;
    if (marker.drawn)
        SetMarkerDrawn(false);

    SedrixPointInfo& info = *pSedrixInfo;
    POINT at = click;
    if (FindClosestTrackPoint(chartSurface.engineWindow, click, info)) {
        at = POINT{info.x, info.y};
    } else {
        info = SedrixPointInfo{};
        info.colour = -1;
    }
    const int quadrant = QuadrantOf(at);
    marker.point = QPoint(at.x, at.y);
    marker.hasLeader = dialog != nullptr;
    if (dialog) {
        PlaceDialogOpposite(dialog, quadrant);
        ShowWindow(dialog, SW_SHOW);
        UpdateWindow(dialog);
        SendMessageA(dialog, WM_ENQUIRY_REFRESH, info.colour < 0 ? 1 : 0, 0);
        // The dialog's centre in the chart window's pixels.
        RECT chart, placed;
        GetWindowRect(chartWindow, &chart);
        GetWindowRect(dialog, &placed);
        const QPoint centre((placed.left + placed.right) / 2 - chart.left, (placed.top + placed.bottom) / 2 - chart.top);
        static const QPoint corners[4] = {{10, 10}, {-10, 10}, {10, -10}, {-10, -10}};
        marker.leader = QLine(centre, marker.point + corners[quadrant]);
    }
    UpdateWindow(chartWindow);
    SetMarkerDrawn(true);
}

void StartMode(HWND chartWindow, WPARAM flags)
{
    enquiry.flags = flags;
    enquiry.keptTrack = -1;
    marker = Marker{};
    ToolbarQueryEnabled();
    SedrixInfo = new (std::nothrow) SedrixInfoRecord;
    if (!SedrixInfo) {
        MessageBeep(MB_ICONSTOP);
        MessageBoxA(chartWindow, "Memory allocation error", "SedrixInfoProc", MB_OK | MB_ICONSTOP | MB_SYSTEMMODAL);
        return;
    }
    SetChartCursor(chartWindow, &SedrixInfo->cursor);
    pSedrixInfo = new (std::nothrow) SedrixPointInfo{};
    if (!pSedrixInfo) {
        MessageBeep(MB_ICONSTOP);
        MessageBoxA(chartWindow, "pSedrixInfo Malloc Failed", "Varnel System Manager", MB_OK | MB_ICONSTOP);
        return;
    }
    SedrixInfo->dialog = CreateSedrixInfoDialog(chartWindow);
    if (!SedrixInfo->dialog)
        MessageBoxA(chartWindow, "CreateDialogParam failed", "SedrixInfoProc", MB_OK | MB_ICONSTOP);
    AddChartMarkerPainter(PaintEnquiryMarker);
    EnterModeWindows(chartWindow, TWO_BUTTON_BAR);
    SetModeStatusText("Info");
    SetModeActionText("Left click: the closest track point.   Right click: end the enquiry.");
    if ((flags & ENQUIRY_SELECT_ONLY) && SedrixInfo->dialog)
        ShowSelectButton(SedrixInfo->dialog, false);
    InvalidateRect(chartWindow, nullptr, FALSE);
    UpdateWindow(chartWindow);
}

// `notify` is false when the chart window is being destroyed: nothing is sent to it then.
void EndMode(HWND chartWindow, bool notify)
{
    SetChartCursor(chartWindow, nullptr);
    if (SedrixInfo && IsWindow(SedrixInfo->dialog))
        DestroyWindow(SedrixInfo->dialog);
    delete SedrixInfo;
    SedrixInfo = nullptr;
    delete pSedrixInfo;
    pSedrixInfo = nullptr;
    RemoveChartMarkerPainter(PaintEnquiryMarker);
    marker = Marker{};
    LeaveModeWindows(chartWindow);
    ToolbarQueryEnabled();
    SetWindowLongPtrA(chartWindow, GWLP_WNDPROC, LONG_PTR(enquiry.chartProc));
    enquiry = EnquiryState{};
    if (notify) {
        SendMessageA(chartWindow, WM_MODE_ENDED, ENQUIRY_MODE_ID, 0);
        PostMessageA(chartWindow, WM_CHART_REDRAW, 0, 0);
    }
}

LRESULT PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(enquiry.chartProc, window, message, wParam, lParam);
}

LRESULT EnquiryChartProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ENQUIRY_START:
        StartMode(window, wParam);
        return 0;
    case WM_LBUTTONDOWN:
        if (pSedrixInfo)
            ClosestPointEnquiry(window, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_RBUTTONDOWN:
        EndMode(window, true);
        return 0;
    case WM_MOUSEMOVE:
    case WM_TIMER:
        return PassOn(window, message, wParam, lParam);
    case WM_DESTROY: {
        const WNDPROC chartProc = enquiry.chartProc;
        EndMode(window, false);
        return CallWindowProcA(chartProc, window, message, wParam, lParam);
    }
    case WM_CHART_REDRAW:
        if (SedrixInfo && SedrixInfo->dialog)
            ShowWindow(SedrixInfo->dialog, SW_HIDE);
        marker.drawn = false;
        return PassOn(window, message, wParam, lParam);
    case WM_TOOLWINDOW_CLOSED:
        if (wParam == DEPTHCOLOURWND)
            return PassOn(window, message, wParam, lParam);
        if (SedrixInfo && IsWindow(SedrixInfo->dialog)) {
            DestroyWindow(SedrixInfo->dialog);
            SedrixInfo->dialog = nullptr;
        }
        InvalidateRect(window, nullptr, FALSE);
        UpdateWindow(window);
        return 0;
    case WM_ENQUIRY_PROBE:
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

void StartTrackpointEnquiry(HWND chartWindow, WPARAM flags)
{
    if (TrackpointEnquiryRunning() || !IsWindow(chartWindow))
        return;
    enquiry.chartWindow = chartWindow;
    enquiry.chartProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(chartWindow, GWLP_WNDPROC, LONG_PTR(EnquiryChartProc)));
    SetChartCursor(chartWindow, nullptr);
    SendMessageA(chartWindow, WM_ENQUIRY_START, flags, 0);
}

bool TrackpointEnquiryRunning() { return enquiry.chartProc != nullptr; }
