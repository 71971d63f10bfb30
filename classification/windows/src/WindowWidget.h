// The widget of each of the classification window's windows: its painting and its mouse go to
// the window's procedure and handlers.
#pragma once

#include "platform/winuser.h"

#include <QWidget>

class QPainter;

using WindowPainter = void (*)(HWND window, QPainter& painter);

class WindowWidget : public QWidget {
public:
    WindowWidget(QWidget* parent, HWND window, WindowPainter paint);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    HWND window_;
    WindowPainter paint_;
};

// A grey widget with black text at the window's line font.
void UseSedrixColours(QWidget& widget);
