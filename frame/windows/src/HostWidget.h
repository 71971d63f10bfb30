#pragma once

#include "platform/gui.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>

// The widget our window is drawn in goes under its parent's widget; without a widget application
// or a parent widget the window works without one.
inline QWidget* hostWidget(HWND parent)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return nullptr;
    return win::widgetOf(parent);
}


// A grey strip in a black frame, as the bars and the toolbar are drawn.
inline void paintFramedStrip(QWidget& widget)
{
    QPainter painter(&widget);
    painter.fillRect(widget.rect(), widget.palette().window());
    painter.setPen(Qt::black);
    painter.drawRect(widget.rect().adjusted(0, 0, -1, -1));
}
