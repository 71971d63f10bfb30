#include "TextStrip.h"

#include "HostWidget.h"

#include "frame/WindowLayout.h"

#include <QEvent>
#include <QPainter>

namespace {

// Paints the window's text, which the handle keeps as the widget's title.
class TextStripWidget : public QWidget {
public:
    TextStripWidget(QWidget* parent, bool centred) : QWidget(parent), centred_(centred)
    {
        QFont font = this->font();
        font.setPixelSize(LineFontPixels(screenMetrics.L));
        setFont(font);
    }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::WindowTitleChange)
            update();
        return QWidget::event(event);
    }
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(192, 192, 192));
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        const Qt::Alignment side = centred_ ? Qt::AlignHCenter : Qt::AlignLeft;
        painter.drawText(rect().adjusted(6, 0, -6, 0), int(side | Qt::AlignVCenter), windowTitle());
    }

private:
    bool centred_;
};

} // namespace

HWND CreateTextStrip(const char* className, const char* text, HWND parent, RECT rect, bool centred,
                     WNDPROC proc)
{
    HWND strip = win::createWindow(className, text, proc, parent, nullptr, rect);
    if (QWidget* host = hostWidget(parent); strip && host) {
        auto* widget = new TextStripWidget(host, centred);
        win::attachWidget(strip, widget);
        widget->show();
        widget->raise();
    }
    return strip;
}
