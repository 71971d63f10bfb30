// The grid child ("SedrixDisplayWnd"): the box's cells in their class colours, the grid lines,
// the trail of the latest readings or the analysis scatter, and painting cells in the editor.
#include "SedrixState.h"
#include "WindowWidget.h"

#include "chart/ChartColours.h"
#include "chart/CurrentTrackRing.h"
#include "chart/TrackPens.h"
#include "classification/AnalysisWindow.h"
#include "classification/SedrixWindow.h"
#include "platform/gui.h"

#include <QPainter>

#include <algorithm>
#include <cstdio>

namespace {

int side() { return BOX_CELLS * CurrentGeometry().cell; }

// Marks and crosses are white, a quieter grey at night.
QColor markColour() { return NightScheme ? QColor(102, 102, 102) : Qt::white; }

RECT around(POINT p, int half) { return RECT{p.x - half, p.y - half, p.x + half + 1, p.y + half + 1}; }

void invalidateAround(POINT p) { RECT r = around(p, MARK_HALF + 1); InvalidateRect(sedrix.grid, &r, TRUE); }

QRect band() { return QRect(QPoint(sedrix.dragFrom.x, sedrix.dragFrom.y), QPoint(sedrix.dragTo.x, sedrix.dragTo.y)).normalized(); }

void invalidateBand()
{
    const QRect b = band().adjusted(-1, -1, 1, 1);
    RECT r{b.left(), b.top(), b.right() + 1, b.bottom() + 1};
    InvalidateRect(sedrix.grid, &r, TRUE);
}

void drawCross(QPainter& painter, POINT p)
{
    painter.drawLine(p.x - MARK_HALF, p.y, p.x + MARK_HALF, p.y);
    painter.drawLine(p.x, p.y - MARK_HALF, p.x, p.y + MARK_HALF);
}

void paintCells(QPainter& painter, int cell)
{
    for (int c = 0; c < BOX_CELLS; ++c)
        for (int r = 0; r < BOX_CELLS; ++r) {
            const int cls = boxFile.grid[c][r];
            // A hand-edited class beyond the palette shows as unclassified.
            painter.fillRect(c * cell, r * cell, cell, cell, ClassBrushes[cls < PALETTE_COLOURS ? cls : 30]);
        }
}

void paintGridLines(QPainter& painter, int cell)
{
    const int size = BOX_CELLS * cell;
    painter.setPen(Qt::white);
    for (int i = 1; i < BOX_CELLS; ++i) {
        painter.drawLine(i * cell, 0, i * cell, size - 1);
        painter.drawLine(0, i * cell, size - 1, i * cell);
    }
}

// The beam-0 readings of the current track, and the readings that came while the analysis ran.
void paintScatter(QPainter& painter, int cell)
{
    ForEachRingPoint(0, [&](const TrackPoint& point) {
        if (point.colour < 0)
            return;
        const POINT p = BoxToPixel(point.e1, point.e2, &boxFile, cell);
        if (p.x >= 0)
            drawCross(painter, p);
    });
    for (POINT p : sedrix.crosses)
        drawCross(painter, p);
}

void SedrixDisplay_OnPaint(HWND, QPainter& painter)
{
    FollowColourScheme();
    const int cell = CurrentGeometry().cell;
    paintCells(painter, cell);
    // Lines, marks and the band invert what lies under them, so they show on every class colour.
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    if (sedrix.gridLines)
        paintGridLines(painter, cell);
    painter.setBrush(Qt::NoBrush);
    if (sedrix.editMode && sedrix.dragging) {
        painter.setPen(Qt::white);
        painter.drawRect(band());
    }
    painter.setPen(markColour());
    if (!bAnalysisRunning) {
        if (!sedrix.editMode)
            for (POINT p : sedrix.trail)
                painter.drawRect(p.x - MARK_HALF, p.y - MARK_HALF, 2 * MARK_HALF, 2 * MARK_HALF);
        return;
    }
    // The scatter shows in the editor too, where the classes are drawn round its clusters.
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    paintScatter(painter, cell);
}

// E1 and E2 under the mouse, when it is over the grid.
void showMouseValues(POINT at)
{
    const int size = side();
    if (at.x < 0 || at.y < 0 || at.x > size || at.y > size)
        return;
    char text[32];
    std::snprintf(text, sizeof text, "%4.2f", boxFile.e1Max - at.y * (boxFile.e1Max - boxFile.e1Min) / size);
    SetControlText(IDC_SEDRIX_MOUSE_E1, text);
    std::snprintf(text, sizeof text, "%4.2f", boxFile.e2Min + at.x * (boxFile.e2Max - boxFile.e2Min) / size);
    SetControlText(IDC_SEDRIX_MOUSE_E2, text);
}

// The cells from the press to the release, in either order; a drag out of the grid stops at
// its edge.
void paintDraggedCells()
{
    const int cell = CurrentGeometry().cell;
    auto cellOf = [cell](int pixel) { return std::clamp(pixel / cell, 0, BOX_CELLS - 1); };
    const int c0 = cellOf(std::min(sedrix.dragFrom.x, sedrix.dragTo.x));
    const int c1 = cellOf(std::max(sedrix.dragFrom.x, sedrix.dragTo.x));
    const int r0 = cellOf(std::min(sedrix.dragFrom.y, sedrix.dragTo.y));
    const int r1 = cellOf(std::max(sedrix.dragFrom.y, sedrix.dragTo.y));
    for (int c = c0; c <= c1; ++c)
        for (int r = r0; r <= r1; ++r)
            boxFile.grid[c][r] = uint16_t(sedrix.currentClass);
    RECT area{c0 * cell, r0 * cell, (c1 + 1) * cell, (r1 + 1) * cell};
    InvalidateRect(sedrix.grid, &area, TRUE);
    sedrix.modified = true;
}

LRESULT CALLBACK_SedrixDisplayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (!sedrix.editMode || (message != WM_LBUTTONDOWN && message != WM_MOUSEMOVE && message != WM_LBUTTONUP))
        return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_LBUTTONDOWN:
        sedrix.dragging = true;
        sedrix.dragFrom = sedrix.dragTo = at;
        invalidateBand();
        break;
    case WM_MOUSEMOVE:
        showMouseValues(at);
        if (sedrix.dragging) {
            invalidateBand();
            sedrix.dragTo = at;
            invalidateBand();
        }
        break;
    case WM_LBUTTONUP:
        if (sedrix.dragging) {
            invalidateBand();
            sedrix.dragTo = at;
            sedrix.dragging = false;
            paintDraggedCells();
        }
        break;
    }
    return 0;
}

} // namespace

HWND CreateSedrixGrid()
{
    const QRect g = CurrentGeometry().grid;
    HWND grid = win::createWindow("SedrixDisplayWnd", "", CALLBACK_SedrixDisplayProc, sedrix.window, nullptr,
                                  RECT{g.left(), g.top(), g.right() + 1, g.bottom() + 1});
    if (QWidget* frame = win::widgetOf(sedrix.window)) {
        auto* widget = new WindowWidget(frame, grid, SedrixDisplay_OnPaint);
        win::attachWidget(grid, widget);
        widget->setGeometry(g);
        widget->show();
    }
    return grid;
}

void PlotReading(const TrackPoint& point)
{
    char text[32];
    std::snprintf(text, sizeof text, "E1- %1.3f", double(point.e1));
    SetControlText(IDC_SEDRIX_READING_E1, text);
    std::snprintf(text, sizeof text, "E2- %1.3f", double(point.e2));
    SetControlText(IDC_SEDRIX_READING_E2, text);
    // A reading outside the box has no place in the grid.
    const POINT p = BoxToPixel(point.e1, point.e2, &boxFile, CurrentGeometry().cell);
    if (p.x < 0)
        return;
    if (bAnalysisRunning) {
        if (sedrix.crosses.size() < size_t(RING_POINTS))
            sedrix.crosses.push_back(p);
        invalidateAround(p);
        return;
    }
    if (sedrix.editMode)
        return;
    if (sedrix.trail.size() == TRAIL_MARKS) {
        invalidateAround(sedrix.trail.front());
        sedrix.trail.erase(sedrix.trail.begin());
    }
    sedrix.trail.push_back(p);
    invalidateAround(p);
}

void RepaintGrid() { InvalidateRect(sedrix.grid, nullptr, TRUE); }

void FollowColourScheme()
{
    if (sedrix.nightScheme == NightScheme && ClassBrushes[0].style() != Qt::NoBrush)
        return;
    RecreateClassBrushes();
    sedrix.nightScheme = NightScheme;
}
