#include "EnquiryFixture.h"

#include "chart/ChartHooks.h"
#include "chart/TrackDrawing.h"
#include "chart/TrackPens.h"
#include "classification/BoxFile.h"
#include "database/DbFiles.h"
#include "euro32/euro32.h"
#include "euro32/euro32qt.h"
#include "frame/WindowLayout.h"
#include "platform/gui.h"
#include "platform/messages.h"
#include "platform/winuser.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTest>

#include <cstdlib>
#include <ctime>
#include <thread>

namespace {

// Shows the chart with the survey drawn on and the markers over it, and hands the mouse to the
// window procedure as the program's chart widget does.
class StandInChartWidget : public QWidget {
public:
    StandInChartWidget(HWND handle, QWidget* parent) : QWidget(parent), handle_(handle) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.drawImage(0, 0, chartSurface.screen);
        PaintChartMarkers(painter);
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        const QPoint at = event->position().toPoint();
        SendMessageA(handle_, event->button() == Qt::LeftButton ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, 0,
                     MAKELPARAM(at.x(), at.y()));
    }

private:
    HWND handle_;
};

} // namespace

std::vector<ChartMessage>& chartMessages()
{
    static std::vector<ChartMessage> messages;
    return messages;
}

std::vector<ChartMessage> chartMessagesOf(UINT message)
{
    std::vector<ChartMessage> found;
    for (const ChartMessage& m : chartMessages())
        if (m.message == message)
            found.push_back(m);
    return found;
}

LRESULT StandInChartProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_USER)
        chartMessages().push_back({message, wParam});
    return DefWindowProcA(window, message, wParam, lParam);
}

bool processEventsUntil(const std::function<bool()>& done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 20000)
            return false;
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

void EnquiryTest::SetUp()
{
    // Times are shown in UTC, whatever the machine's zone.
    setenv("TZ", "UTC", 1);
    tzset();
    root = std::make_unique<TempDataRoot>();
    win::scripted::listen();
    chartMessages().clear();
    ComputeScreenMetrics();
    ASSERT_EQ(DBInitialiseDatabase('C'), 1);
    globaltrackstatus = DefaultTrackStatus();
    globalpasttrackinfo = TrackInfo{};
    FillDefaultBox(&boxFile);
    ASSERT_TRUE(CreateChartPalette(nullptr));
    ASSERT_NE(EC_initChartingSystem(6001, 0, nullptr, 2010, "test", 0, 0), 0);
    engineWindow = EC_CreateChartWindow(0, 0, SCREEN_W, SCREEN_H);
    ASSERT_NE(engineWindow, nullptr);
    chartSurface = ChartSurface{};
    chartSurface.engineWindow = engineWindow;
    showArea(118000000, 577200000, 119000000, 576700000);

    mainWindow = win::createWindow("MainWnd", "Varnel Swath for Sedrix", DefWindowProcA, nullptr, nullptr,
                                   RECT{0, 0, SCREEN_W, SCREEN_H});
    mainWidget = new QWidget(nullptr, Qt::FramelessWindowHint);
    win::attachWidget(mainWindow, mainWidget);
    chartWindow = win::createWindow("ChartWnd", "Varnel Swath chart window", StandInChartProc, mainWindow, nullptr,
                                    RECT{0, 0, SCREEN_W, SCREEN_H});
    chartWidget = new StandInChartWidget(chartWindow, mainWidget);
    win::attachWidget(chartWindow, chartWidget);
    mainWidget->show();
    win::scripted::clear();
}

void EnquiryTest::TearDown()
{
    DestroyWindow(mainWindow);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(TrackpointEnquiryRunning());
    EC_ExitChartingSystem();
    chartSurface = ChartSurface{};
    db::SetDriveLetter('C');
    win::scripted::stopListening();
    root.reset();
}

void EnquiryTest::showArea(int32_t west, int32_t north, int32_t east, int32_t south)
{
    ASSERT_NE(EC_ChangeChartArea(engineWindow, west, north, east, south), 0);
    chartSurface.screen = euro32::captureChart(engineWindow);
}

TrackPoint EnquiryTest::pointAt(int x, int y, float depth, float e1, float e2, int16_t colour) const
{
    int32_t lon = 0, lat = 0;
    EXPECT_GT(EC_PixelToGeos(x, y, &lon, &lat, engineWindow), 0);
    return TrackPoint{depth, e1, e2, lat, lon, colour};
}

uint32_t EnquiryTest::storeTrack(const std::vector<TrackPoint>& points, std::vector<uint32_t> times, int slot)
{
    std::vector<TrackPoint> copy = points;
    CurrentTrackBlock block{copy.data(), uint32_t(copy.size()), 0, uint32_t(slot)};
    EXPECT_EQ(DBAddPointsToCurrentTrack(&block), 1);
    if (times.empty())
        times.assign(copy.size(), 1700000000u);
    TimeBlock timeBlock{times.data(), uint32_t(times.size()), uint32_t(slot)};
    EXPECT_EQ(DBAddTimesToCurrentTrack(&timeBlock), 1);
    TrackInfo info{};
    info.handle = 1;
    info.slot = slot;
    SetEmptyRect(info);
    for (const TrackPoint& p : copy) {
        ExtendRect(info, p.lon, p.lat);
    }
    info.points = uint32_t(copy.size());
    info.boxsignature = BoxSignature(boxFile);
    EXPECT_EQ(DBSaveCurrentTrack(&info), 1);
    return info.handle;
}

void EnquiryTest::start(WPARAM flags)
{
    StartTrackpointEnquiry(chartWindow, flags);
    ASSERT_TRUE(TrackpointEnquiryRunning());
    ASSERT_NE(dialog(), nullptr);
}

void EnquiryTest::click(int x, int y, Qt::MouseButton button)
{
    QTest::mouseClick(chartWidget, button, Qt::NoModifier, QPoint(x, y));
}

HWND EnquiryTest::dialog() const
{
    return FindWindowA(SEDRIX_INFO_CLASS, nullptr);
}

std::string EnquiryTest::field(int id) const
{
    QWidget* widget = win::widgetOf(dialog());
    auto* label = widget ? widget->findChild<QLabel*>(QString::number(id)) : nullptr;
    return label ? label->text().toStdString() : "<no control>";
}

std::string EnquiryTest::caption() const
{
    char text[128] = "";
    GetWindowTextA(dialog(), text, sizeof text);
    return text;
}

RECT EnquiryTest::dialogRect() const
{
    RECT r{}, screen{};
    GetWindowRect(dialog(), &r);
    GetWindowRect(mainWindow, &screen);
    return RECT{r.left - screen.left, r.top - screen.top, r.right - screen.left, r.bottom - screen.top};
}
