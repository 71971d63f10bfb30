// A main window covering the screen with a chart window in it that records what it is sent and
// opens and closes the track windows as the program's chart window does, a toolbar that records
// its messages, and a fresh active database.
#pragma once

#include "trackwin/DepthScale.h"
#include "trackwin/TrackList.h"
#include "trackwin/TrackOptions.h"

#include "chart/ChartColours.h"
#include "chart/TrackDrawing.h"
#include "database/CurrentTrack.h"
#include "frame/ProgramSettings.h"
#include "frame/WindowLayout.h"
#include "platform/gui.h"
#include "platform/messages.h"
#include "recording/ModuleBinding.h"
#include "recording/RecordingControl.h"
#include "TempDataRoot.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <cstring>
#include <thread>
#include <vector>

// Failures show texts as texts.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

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

// The chart window's part in the track windows' lives.
inline LRESULT ChartStandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_USER)
        received().push_back({window, message, wParam, lParam});
    if (message == WM_DEPTH_COLOURS)
        ShowDepthScaleWindow(window);
    if (message == WM_TOOLWINDOW_CLOSED && wParam == TRACKOPTIONSDLG)
        CloseTrackOptions();
    if (message == WM_TOOLWINDOW_CLOSED && wParam == DEPTHCOLOURWND)
        CloseDepthScaleWindow();
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

template <typename W = QWidget>
W* controlOf(HWND window, int id)
{
    QWidget* widget = win::widgetOf(window);
    return widget ? widget->findChild<W*>(QString::number(id)) : nullptr;
}

inline void click(HWND window, int id)
{
    auto* button = controlOf<QAbstractButton>(window, id);
    ASSERT_TRUE(button) << "no button " << id;
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

// One click on an arrow of a vertical scroll bar: the up arrow at its top, the down arrow at its foot.
inline void clickArrow(HWND window, int id, bool up)
{
    auto* bar = controlOf<QScrollBar>(window, id);
    ASSERT_TRUE(bar) << "no scroll bar " << id;
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, up ? 2 : bar->height() - 3));
}

inline QString textOf(HWND window, int id)
{
    auto* label = controlOf<QLabel>(window, id);
    return label ? label->text() : QString("<none %1>").arg(id);
}

inline bool checked(HWND window, int id)
{
    auto* button = controlOf<QAbstractButton>(window, id);
    return button && button->isChecked();
}

inline HWND trackOptionsWindow() { return FindWindowA("TrackOptions", nullptr); }
inline HWND depthScaleWindow() { return FindWindowA("DepthColourWnd", nullptr); }

class TrackWindows : public testing::Test {
protected:
    void SetUp() override
    {
        received().clear();
        win::scripted::listen();
        ASSERT_EQ(DBInitialiseDatabase('C'), 1);
        win::scripted::clear();
        ComputeScreenMetrics();
        mainWindow = win::createWindow("MainWnd", "Varnel Swath for Sedrix", ChartStandInProc, nullptr,
                                       nullptr, RECT{0, 0, 1024, 768});
        mainWidget = new QWidget(nullptr, Qt::FramelessWindowHint);
        mainWidget->resize(1024, 768);
        win::attachWidget(mainWindow, mainWidget);
        chartWindow = win::createWindow("ChartWnd", "Varnel Swath chart window", ChartStandInProc,
                                        mainWindow, nullptr, RECT{0, 0, 1024, 768});
        chartWidget = new QWidget(mainWidget);
        chartWidget->setGeometry(0, 0, 1024, 768);
        win::attachWidget(chartWindow, chartWidget);
        hwndSedrixToolbar = win::createWindow("SedrixToolbarWnd", "Toolbar Frame", ChartStandInProc);
        mainWidget->show();

        std::fill(std::begin(afShowTransducer), std::end(afShowTransducer), 1);
        plotDensity = 100;
        colourByDepth[0] = 5;
        colourByDepth[1] = 1;
        depthDisplay.units = 0;
        std::strcpy(depthDisplay.unitText, "m");
    }
    void TearDown() override
    {
        CloseTrackOptions();
        CloseDepthScaleWindow();
        hSwath.pfStopReplayAtEOF = nullptr;
        hSwath.pfEraseOnRepeat = nullptr;
        DestroyWindow(hwndSedrixToolbar);
        hwndSedrixToolbar = nullptr;
        DestroyWindow(mainWindow);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        win::scripted::stopListening();
    }

    // Runs posted messages until the chart window has one of these.
    bool chartReceives(UINT message, WPARAM wParam)
    {
        return processEventsUntil([&] {
            for (const Received& r : receivedBy(chartWindow, message))
                if (r.wParam == wParam)
                    return true;
            return false;
        });
    }

    TempDataRoot home;
    HWND mainWindow = nullptr;
    HWND chartWindow = nullptr;
    QWidget* mainWidget = nullptr;
    QWidget* chartWidget = nullptr;
};
