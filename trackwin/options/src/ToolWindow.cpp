#include "ToolWindow.h"

#include <QMouseEvent>
#include <QPainter>

QWidget* ToolHost(HWND chartWindow)
{
    QWidget* chart = win::widgetOf(chartWindow);
    if (!chart)
        return nullptr;
    return chart->parentWidget() ? chart->parentWidget() : chart;
}

void SetDlgItemText(HWND window, int id, const char* text)
{
    if (auto* control = DlgItem<QWidget>(window, id))
        control->setProperty("text", QString::fromUtf8(text));
}

void CheckDlgButton(HWND window, int id, bool checked)
{
    if (auto* button = DlgItem<QAbstractButton>(window, id))
        button->setChecked(checked);
}

bool IsDlgButtonChecked(HWND window, int id)
{
    auto* button = DlgItem<QAbstractButton>(window, id);
    return button && button->isChecked();
}

QAbstractButton* CommandButton(HWND window, QAbstractButton* button, int id)
{
    button->setObjectName(QString::number(id));
    QObject::connect(button, &QAbstractButton::clicked, button,
                     [window, id] { SendMessageA(window, WM_COMMAND, WPARAM(id), 0); });
    return button;
}

LineScrollBar::LineScrollBar(HWND window, int id, QWidget* parent) : QScrollBar(Qt::Vertical, parent)
{
    setObjectName(QString::number(id));
    setRange(0, 2);
    setValue(1);
    setPageStep(1);
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QAbstractSlider::actionTriggered, this, [window, id](int action) {
        if (action == SliderSingleStepSub)
            SendMessageA(window, WM_VSCROLL, SB_LINEUP, LPARAM(id));
        else if (action == SliderSingleStepAdd)
            SendMessageA(window, WM_VSCROLL, SB_LINEDOWN, LPARAM(id));
    });
    connect(this, &QAbstractSlider::valueChanged, this, [this](int value) {
        if (value != 1)
            setValue(1);
    });
}

ToolFrame::ToolFrame(QWidget* host, HWND window, const QString& caption, int captionHeight)
    : QFrame(host), window_(window), caption_(caption), captionHeight_(captionHeight)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(192, 192, 192));
    colours.setColor(QPalette::WindowText, Qt::black);
    colours.setColor(QPalette::ButtonText, Qt::black);
    setPalette(colours);
}

void ToolFrame::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (captionHeight_ <= 0)
        return;
    QPainter painter(this);
    const QRect strip(1, 1, width() - 2, captionHeight_ - 1);
    painter.fillRect(strip, QColor(0, 0, 128));
    painter.setPen(Qt::white);
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.drawText(strip.adjusted(4, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, caption_);
}

void ToolFrame::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->globalPosition().toPoint();
    const bool onCaption = event->position().y() < captionHeight_ ||
                           SendMessageA(window_, WM_NCHITTEST, 0, MAKELPARAM(at.x(), at.y())) == HTCAPTION;
    if (event->button() == Qt::LeftButton && onCaption) {
        dragging_ = true;
        grab_ = event->position().toPoint();
        return;
    }
    QFrame::mousePressEvent(event);
}

void ToolFrame::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging_)
        move(mapToParent(event->position().toPoint()) - grab_);
    else
        QFrame::mouseMoveEvent(event);
}

void ToolFrame::mouseReleaseEvent(QMouseEvent* event)
{
    dragging_ = false;
    QFrame::mouseReleaseEvent(event);
}

void ToolFrame::moveEvent(QMoveEvent* event)
{
    SendMessageA(window_, WM_MOVE, 0, MAKELPARAM(event->pos().x(), event->pos().y()));
    QFrame::moveEvent(event);
}
