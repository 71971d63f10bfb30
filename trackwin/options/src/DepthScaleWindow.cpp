// The Depth Scale window ("DepthColourWnd"): a working copy of the depth bands' top and
// interval, its twelve band labels and colours, and the buttons that keep or drop it.
#include "OptionSteps.h"
#include "ToolWindow.h"

#include "trackwin/DepthScale.h"
#include "trackwin/TrackOptions.h"

#include "chart/ChartColours.h"
#include "chart/TrackPens.h"
#include "database/CurrentTrack.h"
#include "frame/Inifile.h"
#include "frame/ProgramSettings.h"
#include "frame/WindowLayout.h"

#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>

#include <cstdio>

namespace {

constexpr int BANDS = LAST_DEPTH_COLOUR - FIRST_DEPTH_COLOUR + 1;
constexpr int WIDTH = 200;
constexpr int LINES = 16;

HWND hDepthColourWnd = nullptr;
HWND hDepthColourOwner = nullptr;
float workingColourByDepth[2] = {0, 0};

// A line is the height of the window's text font.
int lineHeight(const QWidget& widget) { return widget.fontMetrics().height(); }

float unitFactor()
{
    switch (depthDisplay.units) {
    case 1:
        return 3.282f;
    case 2:
        return 0.547f;
    default:
        return 1.0f;
    }
}

void writeLabels(HWND window)
{
    for (int i = 0; i < BANDS; ++i) {
        char text[32];
        const float depth = workingColourByDepth[0] + float(i) * workingColourByDepth[1];
        std::snprintf(text, sizeof text, "%6.1f%s", double(depth * unitFactor()), depthDisplay.unitText);
        SetDlgItemText(window, IDC_DEPTH_BAND_FIRST + i, text);
    }
}

void DepthColourWnd_OnPaint(HWND window, QPainter& painter)
{
    const QWidget* widget = win::widgetOf(window);
    const int L = lineHeight(*widget);
    painter.fillRect(widget->rect(), QColor(192, 192, 192));
    painter.setPen(Qt::black);
    painter.drawText(QPoint(70, 2 + painter.fontMetrics().ascent()), "Depth Scale");
    painter.drawLine(50, 2 * L, WIDTH, 2 * L);
    for (int i = 0; i < BANDS; ++i) {
        const int top = (i + 2) * L;
        painter.fillRect(QRect(80, top, 198 - 80, L), PaletteColour(FIRST_DEPTH_COLOUR + i));
        painter.drawLine(65, top, WIDTH, top);
    }
    painter.drawLine(65, (BANDS + 2) * L, WIDTH, (BANDS + 2) * L);
    painter.drawRect(widget->rect().adjusted(0, 0, -1, -1));
}

void keepWorkingPair()
{
    colourByDepth[0] = workingColourByDepth[0];
    colourByDepth[1] = workingColourByDepth[1];
    SaveColourByDepth(colourByDepth);
    if (globaltrackstatus.field[TS_CURRENT_COLOUR] == 5 || globaltrackstatus.field[TS_PAST_COLOUR] == 5)
        PostMessageA(hDepthColourOwner, WM_TRACKS_REDRAW, 0, 0);
}

void onCommand(int id)
{
    if (id == IDC_DEPTH_OK || id == IDC_DEPTH_APPLY)
        keepWorkingPair();
    if (id == IDC_DEPTH_OK || id == IDC_DEPTH_CANCEL) {
        PostMessageA(hDepthColourOwner, WM_TOOLWINDOW_CLOSED, DEPTHCOLOURWND, LPARAM(id));
        InvalidateRect(hDepthColourOwner, nullptr, TRUE);
        UpdateWindow(hDepthColourOwner);
    }
}

void onScroll(HWND window, WPARAM code, int id)
{
    if (code != SB_LINEUP && code != SB_LINEDOWN)
        return;
    const bool up = code == SB_LINEUP;
    if (id == IDC_DEPTH_TOP_SCROLL)
        workingColourByDepth[0] = StepDepthTop(workingColourByDepth[0], up);
    else if (id == IDC_DEPTH_INTERVAL_SCROLL)
        workingColourByDepth[1] = StepDepthInterval(workingColourByDepth[1], up);
    writeLabels(window);
}

LRESULT DepthColourWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        workingColourByDepth[0] = colourByDepth[0];
        workingColourByDepth[1] = colourByDepth[1];
        return 0;
    case WM_INITDIALOG:
        writeLabels(window);
        return 0;
    case WM_COMMAND:
        onCommand(LOWORD(wParam));
        return 0;
    case WM_VSCROLL:
        onScroll(window, LOWORD(wParam), int(lParam));
        return 0;
    case WM_NCHITTEST:
        // Dragged by any point.
        return HTCAPTION;
    case WM_DESTROY:
        if (window == hDepthColourWnd)
            hDepthColourWnd = nullptr;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class DepthScaleWidget : public ToolFrame {
public:
    DepthScaleWidget(QWidget* host, HWND window) : ToolFrame(host, window, QString(), 0)
    {
        setFrameStyle(QFrame::NoFrame);
        const int L = lineHeight(*this);
        resize(WIDTH, LINES * L);
        for (int i = 0; i < BANDS; ++i) {
            auto* label = win::withId(new QLabel(this), IDC_DEPTH_BAND_FIRST + i);
            label->setAlignment(Qt::AlignCenter);
            label->setGeometry(8, (i + 2) * L, 70, L);
        }
        auto* top = new LineScrollBar(window, IDC_DEPTH_TOP_SCROLL, this);
        top->setGeometry(8, L, 20, L);
        auto* interval = new LineScrollBar(window, IDC_DEPTH_INTERVAL_SCROLL, this);
        interval->setGeometry(8, (BANDS + 2) * L, 20, L);
        constexpr struct {
            const char* text;
            int id;
            int x;
        } buttons[] = {{"OK", IDC_DEPTH_OK, 5}, {"Apply", IDC_DEPTH_APPLY, 70}, {"Cancel", IDC_DEPTH_CANCEL, 135}};
        for (const auto& b : buttons)
            CommandButton(window, new QPushButton(b.text, this), b.id)->setGeometry(b.x, (LINES - 1) * L, 60, L);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        DepthColourWnd_OnPaint(window_, painter);
    }
};

} // namespace

void ShowDepthScaleWindow(HWND chartWindow)
{
    if (hDepthColourWnd && IsWindow(hDepthColourWnd)) {
        if (QWidget* widget = win::widgetOf(hDepthColourWnd))
            widget->raise();
        return;
    }
    hDepthColourOwner = chartWindow;
    HWND window = win::createWindow("DepthColourWnd", "Depth Scale", DepthColourWndProc, chartWindow);
    if (!window)
        return;
    hDepthColourWnd = window;
    if (QWidget* host = ToolHost(chartWindow)) {
        auto* widget = new DepthScaleWidget(host, window);
        win::attachWidget(window, widget);
        widget->move(300, 100);
        widget->show();
        widget->raise();
    }
    SendMessageA(window, WM_INITDIALOG, 0, 0);
}

void CloseDepthScaleWindow()
{
    if (!hDepthColourWnd)
        return;
    QPointer<QWidget> widget = win::widgetOf(hDepthColourWnd);
    DestroyWindow(hDepthColourWnd);
    delete widget.data();
}
