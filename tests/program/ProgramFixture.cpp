#include "ProgramFixture.h"

#include "chart/ChartWindow.h"
#include "platform/gui.h"
#include "platform/messages.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <cstdlib>

bool WaitFor(const std::function<bool()>& condition, int limitMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

void ProgramTest::SetUp()
{
    setenv("TIDEVANE_SCREEN", "1024x768", 1);
    setenv("TIDEVANE_CAPTION", "18", 1);
    root_ = std::make_unique<TempDataRoot>();
    win::scripted::listen();
}

void ProgramTest::TearDown()
{
    win::scripted::stopListening();
    root_.reset();
}

ProgramOptions ProgramTest::options() const
{
    ProgramOptions options;
    options.startupWaitMs = 0;
    return options;
}

int ProgramTest::run(const ProgramOptions& options, const std::function<void()>& whileRunning)
{
    // Polled, so that nothing waits inside the start-up's own turns of the event loop.
    const int capturesBefore = ChartCaptureCount();
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&, capturesBefore] {
        if (ChartCaptureCount() == capturesBefore)
            return;
        poll.stop();
        if (whileRunning)
            whileRunning();
        if (IsWindow(hwndMain))
            DestroyWindow(hwndMain);
    });
    poll.start();
    return VarnelMain(options);
}
