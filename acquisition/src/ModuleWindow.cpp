#include "ModuleWindow.h"

#include "acquisition/HandOff.h"
#include "acquisition/Module.h"
#include "acquisition/Navigation.h"
#include "acquisition/PortLoss.h"
#include "acquisition/RawDataText.h"
#include "acquisition/SetupDialogs.h"
#include "acquisition/SounderLink.h"
#include "database/CurrentTrack.h"
#include "frame/Inifile.h"
#include "platform/gui.h"
#include "platform/messages.h"
#include "platform/winuser.h"
#include "recording/RecordingControl.h"
#include "recording/VesselState.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>

#include <thread>

namespace {

// Paints the raw-data texts from the bottom up, as the newest line matters most.
class RawDataView : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().window());
        bool sideBySide;
        {
            std::lock_guard lock(swathModule.mutex);
            sideBySide = swathModule.surface.ShowRawData;
        }
        const int flags = Qt::AlignBottom | Qt::AlignLeft | Qt::TextWrapAnywhere;
        const QRect area = rect().adjusted(4, 2, -4, -2);
        if (sideBySide) {
            QRect left = area, right = area;
            left.setRight(area.center().x() - 4);
            right.setLeft(area.center().x() + 4);
            painter.drawText(left, flags, QString::fromLatin1(RawDataSnapshot(gpsRawText)));
            painter.drawText(right, flags, QString::fromLatin1(RawDataSnapshot(sounderRawText)));
        } else {
            painter.drawText(area, flags, QString::fromLatin1(RawDataSnapshot(combinedRawText)));
        }
    }
};

class ModuleWidget : public QMainWindow {
public:
    explicit ModuleWidget(HWND window) : window_(window)
    {
        setCentralWidget(new RawDataView);
        QMenu* file = menuBar()->addMenu("&File");
        addCommand(file, "Swath &Setup", IDM_SWATH_SETUP);
        addCommand(file, "E&xit", IDM_EXIT);
        QMenu* help = menuBar()->addMenu("&Help");
        addCommand(help, "&About...", IDM_ABOUT)->setShortcuts({QKeySequence("Alt+?"), QKeySequence("Alt+/")});
    }

protected:
    void closeEvent(QCloseEvent* event) override
    {
        // Closing only hides the window; the module keeps running.
        event->ignore();
        hide();
        SaveStatus(0, MODULE_CLASS);
    }
    void moveEvent(QMoveEvent* event) override
    {
        savePosition();
        QMainWindow::moveEvent(event);
    }
    void resizeEvent(QResizeEvent* event) override
    {
        savePosition();
        QMainWindow::resizeEvent(event);
    }

private:
    QAction* addCommand(QMenu* menu, const char* text, int id)
    {
        QAction* action = menu->addAction(text);
        action->setObjectName(QString::number(id));
        connect(action, &QAction::triggered, this, [this, id] { SendMessageA(window_, WM_COMMAND, id, 0); });
        return action;
    }
    void savePosition()
    {
        if (isMinimized() || !isVisible())
            return;
        QRect g = frameGeometry();
        RECT r{g.left(), g.top(), g.right() + 1, g.bottom() + 1};
        SavePosition(&r, MODULE_CLASS);
    }

    HWND window_;
};

void checkTransducer(HWND window)
{
    int transducer;
    {
        std::lock_guard lock(swathModule.mutex);
        transducer = swathModule.reading.transducer;
    }
    if (transducer >= -3 && transducer <= 3)
        return;
    char text[96];
    std::snprintf(text, sizeof text, "Invalid Transducer setting %d in Swath unit; setting to 0", transducer);
    MessageBoxA(window, text, nullptr, MB_ICONEXCLAMATION);
    {
        std::lock_guard lock(swathModule.mutex);
        swathModule.reading.transducer = 0;
    }
    SelectTransducer(0);
}

LRESULT onCreate(HWND window)
{
    if (OpenModuleLinks(window) != 0) {
        swathModule.fStartFailed = true;
        return -1;
    }
    std::this_thread::sleep_for(std::chrono::seconds(1));
    SounderPurge(PURGE_RXCLEAR);
    // The unit-status step reports success without asking the unit.
    checkTransducer(window);
    return 0;
}

void onDestroy(HWND window)
{
    if (globaltrackstatus.field[TS_SAVING]) {
        StopSaving(window, 0);
        globaltrackstatus.field[TS_SAVING] = 0;
    }
    swathModule.window = nullptr;
    CloseModuleLinks(window);
    PostModuleQuit(0);
}

void unitSetup()
{
    SetupBlock block = ModuleSetupBlock();
    const int transducerBefore = block.reading.transducer;
    const bool showRawBefore = block.surface.ShowRawData;

    if (RunSetupDialog(block) != IDOK)
        return;
    swathModule.autoPing = false;
    SetExtControl(block.unit.ExtControl);
    SetVerbose(block.unit.Verbose);
    SetPldDigitalBoard(block.unit.PldDigitalBoard);
    SetHpControl(block.unit.HpControl);
    SelectTransducer(transducerBefore);
    ArmTransducer();
    SetPri(block.unit.Pri_ms);
    SetTxPulseWidth(block.unit.TxPulseWidth_us);
    {
        std::lock_guard lock(swathModule.mutex);
        swathModule.unit = block.unit;
        swathModule.surface = block.surface;
        swathModule.reading = block.reading;
    }
    SaveUnitSettings(block.unit);
    SaveSurfaceSettings(block.surface);
    swathModule.autoPing = block.surface.AutoPing != 0;
    if (showRawBefore != (block.surface.ShowRawData != 0))
        InvalidateRect(swathModule.window, nullptr, TRUE);
    for (int slot = 1; slot < BEAM_SLOTS; ++slot) {
        globalcurrenttrackinfos[slot].spare1 = globalcurrenttrackinfos[0].spare1;
        globalcurrenttrackinfos[slot].spare2 = globalcurrenttrackinfos[0].spare2;
        globalcurrenttrackinfos[slot].spare3 = globalcurrenttrackinfos[0].spare3;
        globalcurrenttrackinfos[slot].spare4 = globalcurrenttrackinfos[0].spare4;
    }
}

} // namespace

SetupBlock ModuleSetupBlock()
{
    SetupBlock block{};
    {
        std::lock_guard lock(swathModule.mutex);
        block.unit = swathModule.unit;
        block.surface = swathModule.surface;
        block.reading = swathModule.reading;
    }
    block.trackStatus = &globaltrackstatus;
    block.savingJustStarted = &savingjuststarted;
    block.currentTrackInfos = globalcurrenttrackinfos;
    block.pastTrackInfo = &globalpasttrackinfo;
    return block;
}

LRESULT ModuleWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return onCreate(window);
    case WM_DESTROY:
        onDestroy(window);
        return 0;
    case WM_SHOWWINDOW:
        SaveStatus(wParam ? 1 : 0, MODULE_CLASS);
        return 0;
    case WM_PORT_LOST:
        ShowPortLossReports();
        return 0;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDM_ABOUT:
            MessageBoxA(window, "Sonkel32\nSwath acquisition module, version 1.0", "About Sonkel32", MB_OK);
            return 0;
        case IDM_EXIT:
            if (QWidget* widget = win::widgetOf(window))
                widget->close();
            return 0;
        case IDM_SWATH_SETUP:
            unitSetup();
            return 0;
        }
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateModuleWindow(HWND owner, const RECT& rect, int showState)
{
    return reinterpret_cast<HWND>(win::callOnGuiThread([&]() -> LRESULT {
        const bool placed = rect.left != PROFILE_ABSENT;
        HWND window = win::createWindow(MODULE_CLASS, MODULE_TITLE, ModuleWndProc, owner, nullptr,
                                        placed ? rect : RECT{0, 0, 0, 0});
        // Without a GUI application (a console host) the window object works on its own.
        if (!window || !qobject_cast<QApplication*>(QCoreApplication::instance()))
            return reinterpret_cast<LRESULT>(window);
        auto* widget = new ModuleWidget(window);
        if (placed)
            widget->setGeometry(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
        else
            widget->resize(480, 360);
        win::attachWidget(window, widget);
        if (showState)
            widget->show();
        return reinterpret_cast<LRESULT>(window);
    }));
}

void DestroyModuleWindow(HWND window)
{
    win::callOnGuiThread([window]() -> LRESULT {
        QPointer<QWidget> widget = win::widgetOf(window);
        DestroyWindow(window);
        // The window's destruction only schedules the widget's deletion.
        delete widget.data();
        return 0;
    });
}
