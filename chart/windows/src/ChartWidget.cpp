#include "platform/winuser.h"
#include "ChartWidget.h"

#include "chart/ChartWindow.h"
#include "euro32/euro32.h"
#include "frame/PositionText.h"
#include "frame/SedrixToolbar.h"

#include <QMouseEvent>


namespace {

void showCursorPosition(int32_t lat, int32_t lon)
{
    SetToolbarCursorPosition(LatitudeText(lat, 3).c_str(), LongitudeText(lon, 3).c_str());
}

} // namespace

ChartWidget::ChartWidget(HWND handle) : handle_(handle)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

std::optional<QRect> ChartWidget::zoomBand() const
{
    if (!dragFrom_)
        return std::nullopt;
    return QRect(*dragFrom_, dragTo_);
}

void ChartWidget::resizeEvent(QResizeEvent*)
{
    PostMessageA(handle_, WM_CHART_REFRESH, 0, 0);
}

namespace {

LPARAM pixelParam(const QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    return MAKELPARAM(at.x(), at.y());
}

} // namespace

// The mouse reaches the chart window's procedure as messages, so a mode that takes over the
// procedure (the trackpoint enquiry) or a tool (the measuring tool) gets it first.
void ChartWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        SendMessageA(handle_, WM_LBUTTONDOWN, MK_LBUTTON, pixelParam(event));
    else if (event->button() == Qt::RightButton)
        SendMessageA(handle_, WM_RBUTTONDOWN, MK_RBUTTON, pixelParam(event));
}

void ChartWidget::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    int32_t lon = 0, lat = 0;
    if (EC_PixelToGeos(at.x(), at.y(), &lon, &lat, TopEngineChartWindow()))
        showCursorPosition(lat, lon);
    SendMessageA(handle_, WM_MOUSEMOVE, event->buttons() & Qt::LeftButton ? MK_LBUTTON : 0, pixelParam(event));
}

void ChartWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        SendMessageA(handle_, WM_LBUTTONUP, 0, pixelParam(event));
    else if (event->button() == Qt::RightButton)
        SendMessageA(handle_, WM_RBUTTONUP, 0, pixelParam(event));
}

void ChartWidget::zoomPress(QPoint at)
{
    dragFrom_ = dragTo_ = at;
    update();
}

void ChartWidget::zoomMove(QPoint at)
{
    if (!dragFrom_)
        return;
    // Only the band's old and new rectangles change.
    const QRect before = QRect(*dragFrom_, dragTo_).normalized().adjusted(-1, -1, 1, 1);
    dragTo_ = at;
    update(before.united(QRect(*dragFrom_, dragTo_).normalized().adjusted(-1, -1, 1, 1)));
}

void ChartWidget::zoomRelease(QPoint to)
{
    if (!dragFrom_)
        return;
    const QPoint from = *dragFrom_;
    dragFrom_.reset();
    update();
    ZoomBoxReleased(handle_, POINT{from.x(), from.y()}, POINT{to.x(), to.y()});
}

void ChartWidget::leaveEvent(QEvent*)
{
    SetToolbarCursorPosition("", "");
}
