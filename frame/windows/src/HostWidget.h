#pragma once

#include "platform/gui.h"

#include <QApplication>
#include <QWidget>

// The widget our window is drawn in goes under its parent's widget; without a widget application
// or a parent widget the window works without one.
inline QWidget* hostWidget(HWND parent)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return nullptr;
    return win::widgetOf(parent);
}

// Text a little smaller than the screen line, so that it fits a button one line high.
inline int lineFontPixels(int lineHeight) { return lineHeight > 17 ? lineHeight - 8 : 9; }
