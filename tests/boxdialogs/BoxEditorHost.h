// The program's main and chart windows with a classification window standing in for the box
// editor, whose procedure records what it is told; the loaded box is the built-in one and it
// names that window as its owner.
#pragma once

#include "ProgramWindows.h"
#include "ScopedGuards.h"
#include "classification/BoxFile.h"

#include <QDialog>

class BoxEditorHost : public ProgramWindows {
protected:
    void SetUp() override
    {
        ProgramWindows::SetUp();
        sedrixWindow = win::createWindow("SedrixWnd", "Sedrix Window", RecordingProc, chartWindow, nullptr,
                                         RECT{760, 432, 1016, 688});
        sedrixWidget = new QWidget(mainWidget);
        win::attachWidget(sedrixWindow, sedrixWidget);
        sedrixWidget->show();
        FillDefaultBox(&boxFile);
        boxFile.ownerWindow = sedrixWindow;
    }

    // Processes events until the window is gone.
    static bool closed(HWND window)
    {
        return processEventsUntil([window] { return !IsWindow(window); });
    }
    // Processes events until the classification window has been posted the message.
    std::vector<Received> awaitPosted(UINT message, size_t count = 1)
    {
        processEventsUntil([&] { return receivedBy(sedrixWindow, message).size() >= count; });
        return receivedBy(sedrixWindow, message);
    }
    // What has been posted so far reaches its window (to see that something was not posted).
    static void deliverPosted()
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
    template <typename W>
    static W* control(HWND window, int id)
    {
        QWidget* widget = win::widgetOf(window);
        return widget ? widget->findChild<W*>(QString::number(id)) : nullptr;
    }

    ScopedMessageListening listening;
    HWND sedrixWindow = nullptr;
    QWidget* sedrixWidget = nullptr;
};
