#include "frame/ButtonBar.h"

#include "HostWidget.h"
#include "ProgramCheckedButton.h"

#include "frame/ToolbarImages.h"
#include "platform/winuser.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>

#include <vector>

namespace {

using BarButton = ProgramCheckedButton<QPushButton>;

// Breaks a label at its blanks where it is wider than the button.
QString fitted(const QString& label, const QFontMetrics& metrics, int width)
{
    if (metrics.horizontalAdvance(label) <= width)
        return label;
    QString text, line;
    for (const QString& word : label.split(' ', Qt::SkipEmptyParts)) {
        const QString longer = line.isEmpty() ? word : line + ' ' + word;
        if (!line.isEmpty() && metrics.horizontalAdvance(longer) > width) {
            text += line + '\n';
            line = word;
        } else {
            line = longer;
        }
    }
    return text + line;
}

class ButtonBarWidget : public QWidget {
public:
    ButtonBarWidget(QWidget* parent, HWND bar, const ButtonBarEntry* entries, int count,
                    ButtonBarCallback callback)
        : QWidget(parent), bar_(bar)
    {
        QPalette colours = palette();
        colours.setColor(QPalette::Window, QColor(192, 192, 192));
        colours.setColor(QPalette::Button, QColor(192, 192, 192));
        colours.setColor(QPalette::ButtonText, Qt::black);
        setPalette(colours);
        for (int i = 0; i < count; ++i) {
            const ButtonBarEntry& entry = entries[i];
            auto* button = new BarButton(this);
            button->setObjectName(QString::number(i));
            button->setCheckable(true);
            button->setFocusPolicy(Qt::NoFocus);
            if (entry.tooltip)
                button->setToolTip(QString::fromLatin1(entry.tooltip));
            if (entry.flags & (BB_BITMAP | BB_ICON))
                button->setIcon(ToolbarImage(entry.image));
            if (callback)
                connect(button, &QPushButton::clicked, this, [bar, callback, i] { callback(bar, i); });
            buttons_.push_back(button);
            labels_.push_back(QString::fromLatin1(entry.label ? entry.label : ""));
        }
    }

    QPushButton* button(int index) const
    {
        return index >= 0 && index < int(buttons_.size()) ? buttons_[size_t(index)] : nullptr;
    }
    void setLabel(int index, const QString& label)
    {
        if (!button(index))
            return;
        labels_[size_t(index)] = label;
        layOut();
    }

    // The buttons share the client area evenly, as many as the layout word counts.
    void layOut()
    {
        const auto layout = GetWindowLongPtrA(bar_, BUTTONBAR_LAYOUT);
        const bool vertical = HIWORD(uintptr_t(layout)) == BUTTONBAR_VERTICAL;
        const int count = std::min<int>(LOWORD(uintptr_t(layout)), int(buttons_.size()));
        const int length = vertical ? height() : width();
        for (int i = 0; i < int(buttons_.size()); ++i) {
            QPushButton* b = buttons_[size_t(i)];
            b->setVisible(i < count);
            if (i >= count)
                continue;
            const int from = i * length / count, to = (i + 1) * length / count;
            const QRect cell = vertical ? QRect(1, from + 1, width() - 2, to - from - 2)
                                        : QRect(from + 1, 1, to - from - 2, height() - 2);
            b->setGeometry(cell);
            fitLabel(b, labels_[size_t(i)], cell.size());
        }
    }

protected:
    void resizeEvent(QResizeEvent*) override { layOut(); }
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().window());
    }

private:
    // Wrapped at its blanks, in the largest font up to the bar's own in which the lines fit.
    void fitLabel(QPushButton* button, const QString& label, QSize cell) const
    {
        const int iconRoom = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
        QFont font = this->font();
        for (int pixels = QFontInfo(font).pixelSize(); ; --pixels) {
            font.setPixelSize(pixels);
            const QFontMetrics metrics(font);
            const QString text = fitted(label, metrics, cell.width() - 8 - iconRoom);
            if (pixels <= 8 || (text.count('\n') + 1) * metrics.lineSpacing() <= cell.height() - 6) {
                button->setFont(font);
                button->setText(text);
                return;
            }
        }
    }

    HWND bar_;
    std::vector<QPushButton*> buttons_;
    std::vector<QString> labels_;
};

ButtonBarWidget* barWidget(HWND bar) { return dynamic_cast<ButtonBarWidget*>(win::widgetOf(bar)); }

} // namespace

HWND CreateButtonBar(HWND parent, const ButtonBarEntry* entries, int count, WORD orientation,
                     ButtonBarCallback callback, RECT rect)
{
    HWND bar = win::createWindow("ButtonBar", "Varnel Button Bar", DefWindowProcA, parent, nullptr, rect);
    if (!bar)
        return nullptr;
    SetWindowLongPtrA(bar, BUTTONBAR_LAYOUT, LONG_PTR(MAKELPARAM(count, orientation)));
    if (QWidget* host = hostWidget(parent)) {
        auto* widget = new ButtonBarWidget(host, bar, entries, count, callback);
        win::attachWidget(bar, widget);
        widget->layOut();
        widget->show();
        widget->raise();
    }
    return bar;
}

void CheckButtonBarButton(HWND bar, int index, bool checked)
{
    if (ButtonBarWidget* widget = barWidget(bar); widget && widget->button(index))
        widget->button(index)->setChecked(checked);
}

void SetButtonBarLabel(HWND bar, int index, const char* label)
{
    if (ButtonBarWidget* widget = barWidget(bar))
        widget->setLabel(index, QString::fromLatin1(label ? label : ""));
}
