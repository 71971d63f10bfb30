// Running a call on the GUI thread from any thread, and waiting while events go on being handled.
#include "platform/gui.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <chrono>
#include <future>
#include <thread>

namespace win {
namespace {

// Completes the caller's wait even when the queued call is dropped unrun (the application
// went away), so a waiting thread is never left hanging.
struct PendingCall {
    std::promise<LRESULT> result;
    bool done = false;
    ~PendingCall()
    {
        if (!done)
            result.set_value(0);
    }
};

} // namespace

bool isGuiThread()
{
    QCoreApplication* app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

LRESULT callOnGuiThread(std::function<LRESULT()> fn)
{
    if (isGuiThread())
        return fn();
    auto pending = std::make_shared<PendingCall>();
    std::future<LRESULT> answer = pending->result.get_future();
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [pending, fn = std::move(fn)] {
            pending->result.set_value(fn());
            pending->done = true;
        },
        Qt::QueuedConnection);
    pending.reset();
    return answer.get();
}

void waitProcessingEvents(DWORD ms)
{
    if (!QCoreApplication::instance() || !isGuiThread()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(std::chrono::milliseconds(ms), &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace win
