// A main window covering the screen with a chart window inside it, as the program has them,
// whose procedures record what they are sent; the tool windows' tests stand them in for the
// program's. A test's fixture may give the chart window a widget of its own.
#pragma once

#include "frame/WindowLayout.h"
#include "platform/gui.h"
#include "TempDataRoot.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <thread>
#include <vector>

struct Received {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

inline std::vector<Received>& received()
{
    static std::vector<Received> calls;
    return calls;
}

// What a test's window does with a message besides recording it.
inline std::function<void(const Received&)>& onReceived()
{
    static std::function<void(const Received&)> action;
    return action;
}

inline LRESULT RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_USER || message == WM_COMMAND) {
        received().push_back({window, message, wParam, lParam});
        if (onReceived())
            onReceived()(received().back());
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

inline std::vector<Received> receivedBy(HWND window, UINT message)
{
    std::vector<Received> found;
    for (const Received& r : received())
        if (r.window == window && r.message == message)
            found.push_back(r);
    return found;
}

// Processes GUI events until the condition holds; false when it never does.
inline bool processEventsUntil(const std::function<bool()>& done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 10000)
            return false;
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

inline RECT screenRect(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

// The button whose object name is the id.
inline QAbstractButton* buttonOf(HWND window, int id)
{
    QWidget* widget = win::widgetOf(window);
    return widget ? widget->findChild<QAbstractButton*>(QString::number(id)) : nullptr;
}

class ProgramWindows : public testing::Test {
protected:
    void SetUp() override
    {
        received().clear();
        onReceived() = nullptr;
        ComputeScreenMetrics();
        mainWindow = win::createWindow("MainWnd", "Varnel Swath for Sedrix", RecordingProc, nullptr,
                                       nullptr, RECT{0, 0, 1024, 768});
        // Frameless over the whole screen, as the program's main window is.
        mainWidget = new QWidget(nullptr, Qt::FramelessWindowHint);
        mainWidget->resize(1024, 768);
        win::attachWidget(mainWindow, mainWidget);
        chartWindow = win::createWindow("ChartWnd", "Varnel Swath chart window", RecordingProc,
                                        mainWindow, nullptr, RECT{0, 0, 1024, 768});
        chartWidget = makeChartWidget(mainWidget);
        chartWidget->setGeometry(0, 0, 1024, 768);
        win::attachWidget(chartWindow, chartWidget);
        mainWidget->show();
    }
    virtual QWidget* makeChartWidget(QWidget* parent) { return new QWidget(parent); }
    void TearDown() override
    {
        onReceived() = nullptr;
        if (IsWindow(mainWindow))
            DestroyWindow(mainWindow);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    TempDataRoot home;
    HWND mainWindow = nullptr;
    HWND chartWindow = nullptr;
    QWidget* mainWidget = nullptr;
    QWidget* chartWidget = nullptr;
};
