#include "WindowWidget.h"

#include "frame/WindowLayout.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

LPARAM pixelParam(const QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    return MAKELPARAM(at.x(), at.y());
}

} // namespace

WindowWidget::WindowWidget(QWidget* parent, HWND window, WindowPainter paint)
    : QWidget(parent), window_(window), paint_(paint)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    UseSedrixColours(*this);
}

void WindowWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paint_(window_, painter);
}

void WindowWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        SendMessageA(window_, WM_LBUTTONDOWN, MK_LBUTTON, pixelParam(event));
}

void WindowWidget::mouseMoveEvent(QMouseEvent* event)
{
    SendMessageA(window_, WM_MOUSEMOVE, event->buttons() & Qt::LeftButton ? MK_LBUTTON : 0, pixelParam(event));
}

void WindowWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        SendMessageA(window_, WM_LBUTTONUP, 0, pixelParam(event));
}

void UseSedrixColours(QWidget& widget)
{
    QPalette colours = widget.palette();
    colours.setColor(QPalette::Window, QColor(127, 127, 127));
    colours.setColor(QPalette::WindowText, Qt::black);
    colours.setColor(QPalette::Button, QColor(127, 127, 127));
    colours.setColor(QPalette::ButtonText, Qt::black);
    widget.setPalette(colours);
    widget.setAutoFillBackground(true);
    QFont font = widget.font();
    font.setPixelSize(ToolWindowFontPixels());
    widget.setFont(font);
}
