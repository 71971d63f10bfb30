#include "platform/winuser.h"
#include "ChartWidget.h"

#include "chart/ChartWindow.h"
#include "euro32/euro32.h"
#include "frame/SedrixToolbar.h"

#include <QMouseEvent>

#include <cmath>
#include <cstdio>
#include <string>

namespace {

// Degrees and decimal minutes, as a chart is read.
std::string degreesMinutes(int32_t value, int degreeDigits, char positive, char negative)
{
    const double degrees = std::fabs(value / 1e7);
    const int whole = int(degrees);
    char text[32];
    std::snprintf(text, sizeof text, "%0*d %06.3f' %c", degreeDigits, whole, (degrees - whole) * 60.0,
                  value < 0 ? negative : positive);
    return text;
}

void showCursorPosition(int32_t lat, int32_t lon)
{
    SetToolbarCursorPosition(degreesMinutes(lat, 2, 'N', 'S').c_str(), degreesMinutes(lon, 3, 'E', 'W').c_str());
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

void ChartWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    dragFrom_ = dragTo_ = event->position().toPoint();
    update();
}

void ChartWidget::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    int32_t lon = 0, lat = 0;
    if (EC_PixelToGeos(at.x(), at.y(), &lon, &lat, TopEngineChartWindow()))
        showCursorPosition(lat, lon);
    if (!dragFrom_)
        return;
    // Only the band's old and new rectangles change.
    const QRect before = QRect(*dragFrom_, dragTo_).normalized().adjusted(-1, -1, 1, 1);
    dragTo_ = at;
    update(before.united(QRect(*dragFrom_, dragTo_).normalized().adjusted(-1, -1, 1, 1)));
}

void ChartWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        PostMessageA(handle_, WM_CHART_REFRESH, 0, 0);
        return;
    }
    if (event->button() != Qt::LeftButton || !dragFrom_)
        return;
    const QPoint from = *dragFrom_;
    const QPoint to = event->position().toPoint();
    dragFrom_.reset();
    update();
    ZoomBoxReleased(handle_, POINT{from.x(), from.y()}, POINT{to.x(), to.y()});
}

void ChartWidget::leaveEvent(QEvent*)
{
    SetToolbarCursorPosition("", "");
}
