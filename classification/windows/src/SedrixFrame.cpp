// The classification window's own surface: its caption (which drags it), the title over the
// grid, the labels of the bounds and, in the editor, the E1 and E2 axes.
#include "SedrixState.h"

#include "frame/Inifile.h"
#include "platform/gui.h"

#include <QPainter>
#include <QWidget>

#include <cmath>
#include <string>

namespace {

constexpr double TICK_VOLTS = 0.1;
constexpr int TICK = 4;       // a tick's length; every half volt twice as long and labelled
constexpr int LABEL_GAP = 26; // an axis label no nearer than this to a bound shown at the end

std::string editorTitle()
{
    const std::string name = boxFileNames[nBoxFileSlot & 1];
    const std::string quoted = "\"" + name + "\"";
    return name.size() > 12 ? quoted : "Sedrix Box Editor - " + quoted;
}

void paintCaption(HWND window, QPainter& painter, const SedrixGeometry& g)
{
    const QRect caption(0, 0, g.width, g.caption);
    painter.fillRect(caption, QColor(0, 0, 128));
    char title[64];
    GetWindowTextA(window, title, sizeof title);
    painter.setPen(Qt::white);
    QFont bold = painter.font();
    bold.setBold(true);
    painter.save();
    painter.setFont(bold);
    painter.drawText(caption.adjusted(4, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter, QString::fromLatin1(title));
    painter.restore();
}

// Every 0.1 V step within the range, counted in whole steps so that rounding drops none.
template <typename Tick> void forEachTick(float low, float high, Tick tick)
{
    const int first = int(std::ceil(low / TICK_VOLTS - 1e-4)), last = int(std::floor(high / TICK_VOLTS + 1e-4));
    for (int i = first; i <= last; ++i)
        tick(i * TICK_VOLTS, i % 5 == 0);
}

QString volts(double value) { return QString::number(value, 'f', 1); }

// E1 upwards left of the grid, E2 rightwards below it.
void paintAxes(QPainter& painter, const SedrixGeometry& g)
{
    const QRect& grid = g.grid;
    const int size = grid.width();
    painter.setPen(Qt::black);
    painter.drawLine(grid.left() - 1, grid.top(), grid.left() - 1, grid.bottom() + 1);
    painter.drawLine(grid.left() - 1, grid.bottom() + 1, grid.right(), grid.bottom() + 1);
    const float e1Span = boxFile.e1Max - boxFile.e1Min, e2Span = boxFile.e2Max - boxFile.e2Min;
    if (!(e1Span > 0) || !(e2Span > 0))
        return;
    const int labelHeight = g.caption;
    forEachTick(boxFile.e1Min, boxFile.e1Max, [&](double v, bool major) {
        const int y = grid.top() + int(std::lround((boxFile.e1Max - v) / e1Span * size));
        painter.drawLine(grid.left() - 2 - (major ? 2 * TICK : TICK), y, grid.left() - 2, y);
        if (major && y - grid.top() > labelHeight && grid.bottom() - y > labelHeight)
            painter.drawText(QRect(2, y - labelHeight / 2, grid.left() - 4 - 2 * TICK - 4, labelHeight),
                             Qt::AlignRight | Qt::AlignVCenter, volts(v));
    });
    forEachTick(boxFile.e2Min, boxFile.e2Max, [&](double v, bool major) {
        const int x = grid.left() + int(std::lround((v - boxFile.e2Min) / e2Span * size));
        painter.drawLine(x, grid.bottom() + 2, x, grid.bottom() + 2 + (major ? 2 * TICK : TICK));
        if (major && x - grid.left() > LABEL_GAP && grid.right() - x > LABEL_GAP)
            painter.drawText(QRect(x - 20, grid.bottom() + 7, 40, labelHeight), Qt::AlignCenter, volts(v));
    });
    painter.drawText(QRect(2, grid.top() - g.caption - 2, grid.left() - 4, g.caption), Qt::AlignLeft | Qt::AlignVCenter,
                     "E1 (V)");
    painter.drawText(QRect(2, grid.bottom() + 7, grid.left() - 20, labelHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     "E2 (V)");
}

void paintNormal(QPainter& painter, const SedrixGeometry& g)
{
    const int header = g.caption;
    painter.drawText(QRect(4, header, 44, g.line), Qt::AlignLeft | Qt::AlignVCenter, "Sedrix");
    const int footer = g.grid.bottom() + 2, h = g.line - 2, half = g.width / 2;
    for (auto [x, text] : {std::pair{0, "E1"}, {half, "E2"}}) {
        painter.drawText(QRect(x + 4, footer, FOOTER_MIN - 4, h), Qt::AlignLeft | Qt::AlignVCenter, text);
        painter.drawText(QRect(x + FOOTER_DASH, footer, FOOTER_MAX - FOOTER_DASH, h), Qt::AlignCenter, "-");
    }
}

void paintEditor(QPainter& painter, const SedrixGeometry& g)
{
    painter.drawText(QRect(g.grid.left(), g.caption, g.width - g.grid.left(), g.grid.top() - g.caption),
                     Qt::AlignLeft | Qt::AlignVCenter, QString::fromLatin1(editorTitle().c_str()));
    paintAxes(painter, g);
    const int rowsTop = g.grid.bottom() + 7 + g.caption + 2, left = 37 * g.cell;
    painter.drawText(QRect(left, rowsTop, 22, g.caption), Qt::AlignLeft | Qt::AlignVCenter, "E1");
    painter.drawText(QRect(left, rowsTop + g.caption + 2, 22, g.caption), Qt::AlignLeft | Qt::AlignVCenter, "E2");
}

} // namespace

void SedrixWnd_OnPaint(HWND window, QPainter& painter)
{
    const SedrixGeometry g = CurrentGeometry();
    painter.fillRect(QRect(0, 0, g.width, g.height), QColor(127, 127, 127));
    paintCaption(window, painter, g);
    painter.setPen(Qt::black);
    if (sedrix.editMode)
        paintEditor(painter, g);
    else
        paintNormal(painter, g);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, g.width - 1, g.height - 1);
}

void SedrixWnd_OnMouse(HWND window, UINT message, POINT at)
{
    QWidget* widget = win::widgetOf(window);
    if (!widget)
        return;
    if (message == WM_LBUTTONDOWN) {
        sedrix.moving = at.y < CurrentGeometry().caption;
        sedrix.moveFrom = at;
    } else if (message == WM_MOUSEMOVE && sedrix.moving) {
        widget->move(widget->pos() + QPoint(at.x - sedrix.moveFrom.x, at.y - sedrix.moveFrom.y));
    } else if (message == WM_LBUTTONUP && sedrix.moving) {
        sedrix.moving = false;
        SaveSedrixPosition();
    }
}
