// A main window covering the 1024 x 768 screen with a chart window inside it, as the program has
// them; the chart window records the messages it is sent and paints the chart's markers over a
// plain sea colour.
#pragma once

#include "chart/ChartHooks.h"
#include "frame/WindowLayout.h"
#include "platform/gui.h"
#include "platform/messages.h"
#include "TempDataRoot.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>
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

inline LRESULT RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_USER || message == WM_COMMAND)
        received().push_back({window, message, wParam, lParam});
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

const QColor SEA(170, 210, 230);

// Stands in for the chart window's widget: the sea, then the markers, as the chart paints them.
class StandInChart : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), SEA);
        PaintChartMarkers(painter);
    }
};

class ToolWindowHost : public testing::Test {
protected:
    void SetUp() override
    {
        received().clear();
        win::scripted::listen();
        ComputeScreenMetrics();
        ComputeDefaultRects();
        mainWindow = win::createWindow("MainWnd", "Varnel Swath for Sedrix", RecordingProc, nullptr, nullptr,
                                       RECT{0, 0, 1024, 768});
        mainWidget = new QWidget(nullptr, Qt::FramelessWindowHint);
        win::attachWidget(mainWindow, mainWidget);
        chartWindow = win::createWindow("ChartWnd", "Varnel Swath chart window", RecordingProc, mainWindow,
                                        nullptr, RECT{0, 0, 1024, 768});
        chartWidget = new StandInChart(mainWidget);
        win::attachWidget(chartWindow, chartWidget);
        mainWidget->show();
    }
    void TearDown() override
    {
        if (IsWindow(mainWindow))
            DestroyWindow(mainWindow);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        win::scripted::stopListening();
    }

    // Saved for looking at when TIDEVANE_GRABS names a folder.
    static void keepGrab(const QImage& image, const std::string& name)
    {
        const QString folder = qEnvironmentVariable("TIDEVANE_GRABS");
        if (!folder.isEmpty() && QDir().mkpath(folder))
            image.save(folder + "/" + QString::fromStdString(name) + ".png");
    }

    TempDataRoot home;
    HWND mainWindow = nullptr;
    HWND chartWindow = nullptr;
    QWidget* mainWidget = nullptr;
    QWidget* chartWidget = nullptr;
};
