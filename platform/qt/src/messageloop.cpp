// Messages and timers over the Qt event loop, and the GUI message loop itself.
#include "platform/gui.h"
#include "platform/modules.h"
#include "threadqueue.h"
#include "windowregistry.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <atomic>

namespace win {
namespace {

// GUI thread only.
QEventLoop* runningLoop = nullptr;
int quitCode = 0;
std::atomic<bool> quitPending{false};

void quitNow(int code)
{
    quitCode = code;
    quitPending = true;
    if (runningLoop)
        runningLoop->exit(code);
}

} // namespace

int runMessageLoop()
{
    if (!quitPending) {
        QEventLoop loop;
        QEventLoop* outer = std::exchange(runningLoop, &loop);
        int code = loop.exec();
        runningLoop = outer;
        if (!quitPending) // the application itself was told to quit
            return code;
    }
    quitPending = false;
    return quitCode;
}

bool quitPosted() { return quitPending; }

bool pumpPendingMessages()
{
    if (!quitPending && QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    return quitPending;
}

} // namespace win

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return win::callOnGuiThread(
        [=] { return win::deliver(window, message, wParam, lParam); });
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || !IsWindow(window)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    QMetaObject::invokeMethod(
        app, [=] { win::deliver(window, message, wParam, lParam); }, Qt::QueuedConnection);
    return TRUE;
}

void PostQuitMessage(int exitCode)
{
    if (!win::isGuiThread() && win::postToOwnQueue(MSG{nullptr, WM_QUIT, WPARAM(exitCode), 0}))
        return;
    if (win::isGuiThread())
        win::quitNow(exitCode);
    else
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [exitCode] { win::quitNow(exitCode); },
            Qt::QueuedConnection);
}

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT intervalMs, void*)
{
    return UINT_PTR(win::onWindow(window, [=](win::Window& w) -> LRESULT {
        if (!QCoreApplication::instance())
            return 0;
        QTimer*& timer = w.timers[id];
        if (!timer) {
            timer = new QTimer(QCoreApplication::instance());
            QObject::connect(timer, &QTimer::timeout, timer,
                             [window, id] { win::deliver(window, WM_TIMER, id, 0); });
        }
        timer->start(int(intervalMs));
        return LRESULT(id);
    }));
}

BOOL KillTimer(HWND window, UINT_PTR id)
{
    return BOOL(win::onWindow(window, [=](win::Window& w) -> LRESULT {
        auto it = w.timers.find(id);
        if (it == w.timers.end())
            return FALSE;
        // Later: a timer may be killed from its own WM_TIMER.
        it->second->stop();
        it->second->deleteLater();
        w.timers.erase(it);
        return TRUE;
    }));
}
