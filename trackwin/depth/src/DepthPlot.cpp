// The depth window's plot: every transducer's bar per column from the history, newest at the
// right edge with the centre transducer on top, and the depth marker beside it.
#include "DepthWindowState.h"

#include "chart/TrackPens.h"
#include "platform/gui.h"

#include <QPainter>
#include <QWidget>

namespace {

const QColor PLOT_GREY(127, 127, 127);
constexpr int MARKER_LENGTH = 11;

QPen penOf(int32_t colour)
{
    // An erased point's code is drawn as an unclassified reading.
    return ProfilePens[colour == -1 ? 30 : colour];
}

bool drawable(int32_t colour) { return colour == -1 || (colour >= 0 && colour < 48); }

void paintBars(QPainter& painter)
{
    const DepthWindowRecord& r = depthWindow;
    const int w = profilePenWidth;
    const int columns = std::min(r.plotWidth, r.history.length());
    int32_t penColour = NO_DEPTH_READING;
    for (int i = 0; i < columns; ++i) {
        const int x = r.plotWidth - 1 - i;
        for (int b = DEPTH_BUFFERS - 1; b >= 0; --b) {
            const int32_t colour = r.history.colour[b][i];
            const int h = int((depthDisplay.bottom - r.history.depth[b][i]) * r.scale);
            if (h <= 0 || !drawable(colour))
                continue;
            if (colour != penColour) {
                painter.setPen(penOf(colour));
                penColour = colour;
            }
            const int top = std::max(r.plotHeight - h, 0);
            painter.drawLine(x + b * w, r.plotHeight - 1 + b * w, x + b * w, top + b * w);
            // The seabed line reads clearly where neighbouring bars share a colour.
            painter.save();
            painter.setPen(Qt::black);
            painter.drawPoint(x + b * w, top + b * w);
            painter.restore();
        }
    }
}

void paintMarker(QPainter& painter)
{
    const DepthWindowRecord& r = depthWindow;
    painter.fillRect(r.plotWidth, 0, MARKER_LENGTH + 1, r.plotHeight, Qt::black);
    if (r.markerY < 0)
        return;
    painter.setPen(penOf(r.markerColour));
    painter.drawLine(r.plotWidth, r.markerY, r.plotWidth + MARKER_LENGTH - 1, r.markerY);
}

class DepthPlotWidget : public QWidget {
public:
    explicit DepthPlotWidget(QWidget* parent) : QWidget(parent)
    {
        setObjectName("DepthProfileWnd");
        setCursor(Qt::ArrowCursor);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), PLOT_GREY);
        paintBars(painter);
        paintMarker(painter);
    }
};

LRESULT CALLBACK_DepthProfileProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

HWND CreateDepthPlot(HWND depthWindowHandle, RECT rect)
{
    HWND plot = win::createWindow("DepthProfileWnd", "Depth Profile", CALLBACK_DepthProfileProc,
                                  depthWindowHandle, nullptr, rect);
    if (QWidget* host = win::widgetOf(depthWindowHandle); plot && host) {
        auto* widget = new DepthPlotWidget(host);
        win::attachWidget(plot, widget);
        widget->show();
    }
    return plot;
}
