#include "ReplayDialog.h"

#include "frame/WindowLayout.h"
#include "platform/dialogcontrols.h"
#include "platform/gui.h"
#include "replay/ReplayFlags.h"
#include "replay/ReplayWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>

namespace {

// Dialog units of the dialog font, whose average character is 8 x 16 pixels: a quarter of
// its width across, an eighth of its height down. Large enough for "|<<" on a 12-unit button.
constexpr int dluX(int x) { return x * 8 / 4; }
constexpr int dluY(int y) { return y * 16 / 8; }

constexpr int BORDER = 2;
constexpr int CLIENT_WIDTH = 40; // dialog units
constexpr int CLIENT_HEIGHT = 105;

struct ButtonDef {
    int id;
    const char* label;
    int x, y; // dialog units; every button is 12 x 14
    bool checkable;
    bool enabled;
    bool visible;
};

// The fast buttons are made disabled; the default button, pause, without the visible style:
// Enter is its only way in.
constexpr ButtonDef buttonDefs[] = {
    {IDC_BUTTON_REV, "<", 4, 4, true, true, true},
    {IDC_BUTTON_PLAY, ">", 20, 4, true, true, true},
    {IDC_BUTTON_FASTREV, "<<", 4, 20, true, false, true},
    {IDC_BUTTON_FASTFWD, ">>", 20, 20, true, false, true},
    {IDC_BUTTON_HOME, "|<<", 4, 36, false, true, true},
    {IDC_BUTTON_END, ">>|", 20, 36, false, true, true},
    {IDC_BUTTON_STOP, "[]", 4, 52, true, true, true},
    {IDC_BUTTON_PAUSE, "||", 20, 52, true, true, false},
    {IDOK, "X", 20, 68, false, true, true},
};

class ReplayDialogWidget : public QWidget {
public:
    ReplayDialogWidget(HWND window, QWidget* parent)
        : QWidget(parent), window_(window), caption_(screenMetrics.L > 2 ? screenMetrics.L - 2 : 18)
    {
        QPalette colours = palette();
        colours.setColor(QPalette::Window, QColor(192, 192, 192));
        colours.setColor(QPalette::Button, QColor(192, 192, 192));
        // Disabled buttons keep their grey text.
        colours.setColor(QPalette::Active, QPalette::ButtonText, Qt::black);
        colours.setColor(QPalette::Inactive, QPalette::ButtonText, Qt::black);
        setPalette(colours);
        QFont dialogFont = font();
        dialogFont.setPixelSize(12);
        setFont(dialogFont);
        setFocusPolicy(Qt::StrongFocus);
        setFixedSize(dluX(CLIENT_WIDTH) + 2 * BORDER, dluY(CLIENT_HEIGHT) + caption_ + 2 * BORDER);

        for (const ButtonDef& def : buttonDefs) {
            auto* button = win::withId(new QPushButton(QString::fromLatin1(def.label), this), def.id);
            button->setGeometry(place(def.x, def.y, 12, 14));
            button->setCheckable(def.checkable);
            button->setFocusPolicy(Qt::NoFocus);
            button->setEnabled(def.enabled);
            if (!def.visible)
                button->hide();
            connect(button, &QPushButton::clicked, this, [this, id = def.id] { command(id); });
        }

        auto* interval = win::withId(new QScrollBar(Qt::Vertical, this), IDC_REPLAY_INTERVAL);
        interval->setGeometry(place(4, 68, 12, 14));
        interval->setFocusPolicy(Qt::NoFocus);
        interval->setRange(0, REPLAY_INTERVAL_MAX);
        interval->setSingleStep(REPLAY_INTERVAL_STEP);
        interval->setValue(ctReplayInterval);
        connect(interval, &QAbstractSlider::actionTriggered, this, [this, interval](int action) {
            if (action == QAbstractSlider::SliderSingleStepSub)
                SendMessageA(window_, WM_VSCROLL, SB_LINEUP, IDC_REPLAY_INTERVAL);
            else if (action == QAbstractSlider::SliderSingleStepAdd)
                SendMessageA(window_, WM_VSCROLL, SB_LINEDOWN, IDC_REPLAY_INTERVAL);
            // The bar shows the interval, not where Qt would have moved it.
            interval->setSliderPosition(ctReplayInterval);
        });

        // A window of its own, so that whoever holds its handle can write the count into it.
        auto* counter = win::withId(new QLineEdit(this), IDC_REPLAY_COUNTER);
        counter->setGeometry(place(4, 87, 31, 14));
        counter->setReadOnly(true);
        counter->setFocusPolicy(Qt::NoFocus);
        HWND counterWindow = win::createWindow("Edit", "", DefWindowProcA, window_);
        win::attachWidget(counterWindow, counter);
        connect(counter, &QWidget::windowTitleChanged, counter, &QLineEdit::setText);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        switch (event->key()) {
        case Qt::Key_Escape:
            command(IDCANCEL);
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            command(IDC_BUTTON_PAUSE);
            return;
        default:
            QWidget::keyPressEvent(event);
        }
    }
    // A drag tells its procedure once, where it ends, not at every step of the mouse.
    void moveEvent(QMoveEvent*) override
    {
        if (dragging_)
            movedWhileDragging_ = true;
        else
            moved();
    }
    // Dragged by its caption, as a floating window is.
    void mousePressEvent(QMouseEvent* event) override
    {
        dragging_ = event->button() == Qt::LeftButton && event->position().y() < BORDER + caption_;
        movedWhileDragging_ = false;
        grip_ = event->position().toPoint();
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (dragging_)
            move(mapToParent(event->position().toPoint()) - grip_);
    }
    void mouseReleaseEvent(QMouseEvent*) override
    {
        dragging_ = false;
        if (movedWhileDragging_)
            moved();
    }
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().window());
        painter.setPen(Qt::white);
        painter.drawLine(0, 0, width() - 2, 0);
        painter.drawLine(0, 0, 0, height() - 2);
        painter.setPen(Qt::black);
        painter.drawLine(width() - 1, 0, width() - 1, height() - 1);
        painter.drawLine(0, height() - 1, width() - 1, height() - 1);
        const QRect caption(BORDER, BORDER, width() - 2 * BORDER, caption_);
        painter.fillRect(caption, QColor(0, 0, 128));
        QFont bold = font();
        bold.setBold(true);
        painter.setFont(bold);
        painter.setPen(Qt::white);
        painter.drawText(caption.adjusted(3, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, windowTitle());
    }

private:
    QRect place(int x, int y, int width, int height) const
    {
        return QRect(BORDER + dluX(x), BORDER + caption_ + dluY(y), dluX(width), dluY(height));
    }
    void command(int id) { SendMessageA(window_, WM_COMMAND, WPARAM(id), 0); }
    void moved() { SendMessageA(window_, WM_MOVE, 0, MAKELPARAM(x(), y())); }

    HWND window_;
    int caption_;
    bool dragging_ = false;
    bool movedWhileDragging_ = false;
    QPoint grip_;
};

} // namespace

HWND CreateReplayDialog(HWND owner)
{
    HWND window = win::createWindow("REPLAYWND", "Replay", ReplayWndProc, owner);
    if (!window || !qobject_cast<QApplication*>(QCoreApplication::instance()))
        return window;
    // Under the main window, which covers the screen: its coordinates are the screen's.
    if (QWidget* host = win::widgetOf(GetParent(owner)))
        win::attachWidget(window, new ReplayDialogWidget(window, host));
    return window;
}
