// What the track windows share: their controls found by identifier, scroll bars that report
// their arrows to the window procedure, and a frame that floats over the chart and is dragged.
#pragma once

#include "platform/dialogcontrols.h"
#include "platform/gui.h"

#include <QAbstractButton>
#include <QFrame>
#include <QPoint>
#include <QScrollBar>
#include <QString>

constexpr UINT WM_NCHITTEST = 0x0084;
constexpr LRESULT HTCAPTION = 2;

// The main window's widget, in which tool windows float: the chart window's parent's widget.
QWidget* ToolHost(HWND chartWindow);

template <typename W = QWidget>
W* DlgItem(HWND window, int id)
{
    QWidget* widget = win::widgetOf(window);
    return widget ? widget->findChild<W*>(QString::number(id)) : nullptr;
}
void SetDlgItemText(HWND window, int id, const char* text);
void CheckDlgButton(HWND window, int id, bool checked);
bool IsDlgButtonChecked(HWND window, int id);

// A button that sends WM_COMMAND with its identifier to the window's procedure when clicked.
QAbstractButton* CommandButton(HWND window, QAbstractButton* button, int id);

// A vertical scroll bar used for its arrows: the up arrow reaches the procedure as WM_VSCROLL
// SB_LINEUP, the down arrow as SB_LINEDOWN, lParam the bar's identifier. Its thumb stays in the
// middle so that both arrows stay live.
class LineScrollBar : public QScrollBar {
public:
    LineScrollBar(HWND window, int id, QWidget* parent = nullptr);
};

// A tool window's frame: a caption strip (none when captionHeight is 0) by which it is dragged,
// or any point for which the procedure answers WM_NCHITTEST with HTCAPTION; its moves reach the
// procedure as WM_MOVE.
class ToolFrame : public QFrame {
public:
    ToolFrame(QWidget* host, HWND window, const QString& caption, int captionHeight);
    HWND window() const { return window_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

    HWND window_;
    QString caption_;
    int captionHeight_;

private:
    bool dragging_ = false;
    QPoint grab_;
};
