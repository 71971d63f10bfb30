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
#include "ProgramWindows.h"

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

// The chart window's part in the track windows' lives.
inline void OpenAndCloseTrackWindows(const Received& r)
{
    if (r.message == WM_DEPTH_COLOURS)
        ShowDepthScaleWindow(r.window);
    if (r.message == WM_TOOLWINDOW_CLOSED && r.wParam == TRACKOPTIONSDLG)
        CloseTrackOptions();
    if (r.message == WM_TOOLWINDOW_CLOSED && r.wParam == DEPTHCOLOURWND)
        CloseDepthScaleWindow();
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

class TrackWindows : public ProgramWindows {
protected:
    void SetUp() override
    {
        win::scripted::listen();
        ProgramWindows::SetUp();
        ASSERT_EQ(DBInitialiseDatabase('C'), 1);
        win::scripted::clear();
        onReceived() = OpenAndCloseTrackWindows;
        hwndSedrixToolbar = win::createWindow("SedrixToolbarWnd", "Toolbar Frame", RecordingProc);

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
        ProgramWindows::TearDown();
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

};
