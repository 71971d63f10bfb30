#include "chartview.h"

#include "engine.h"
#include "renderer.h"

#include "platform/gui.h"
#include "platform/messages.h"
#include "platform/winuser.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

namespace euro32 {

namespace {

// The chart windows in the order they were opened.
std::vector<ChartView*>& openViews()
{
    static std::vector<ChartView*> views;
    return views;
}

LPARAM pointParam(QPointF p)
{
    const auto x = static_cast<uint16_t>(static_cast<int16_t>(p.x()));
    const auto y = static_cast<uint16_t>(static_cast<int16_t>(p.y()));
    return static_cast<LPARAM>(x | (static_cast<uint32_t>(y) << 16));
}

} // namespace

ChartView::ChartView(HWND frame, int width, int height)
    : handle_(win::createWindow("EC_CHART", "", DefWindowProcA, frame))
{
    win::attachWidget(handle_, this);
    openViews().push_back(this);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
    resize(std::max(width, 1), std::max(height, 1));
    zoomFull();
}

ChartView::~ChartView()
{
    auto& views = openViews();
    views.erase(std::remove(views.begin(), views.end(), this), views.end());
}

void ChartView::selectChart(int index, bool zoom)
{
    selected_ = index;
    if (index >= 0 && index < static_cast<int>(engine().charts.size()))
        engine().lastChart = engine().charts[index]->name;
    if (zoom)
        zoomFull();
    updateTitle();
    update();
}

void ChartView::setCatalogue(bool on)
{
    catalogue_ = on;
    update();
}

void ChartView::zoomFull()
{
    const auto& charts = engine().charts;
    if (selected_ >= 0 && selected_ < static_cast<int>(charts.size()))
        showArea(view(), charts[selected_]->extent);
    else
        showArea(view(), {-180.0, -70.0, 180.0, 80.0});
    update();
}

void ChartView::updateTitle()
{
    const auto& charts = engine().charts;
    QString title;
    if (engine().blank)
        title = "Blank";
    else if (selected_ >= 0 && selected_ < static_cast<int>(charts.size()))
        title = QString::fromStdString(charts[selected_]->name);
    // The MDI child's caption is the chart title the program reads.
    setWindowTitle(title);
    if (HWND frame = GetParent(handle_))
        SetWindowTextA(frame, title.toStdString().c_str());
    else if (QMdiSubWindow* sub = subWindow())
        sub->setWindowTitle(title);
}

QMdiSubWindow* ChartView::subWindow() const
{
    return qobject_cast<QMdiSubWindow*>(parentWidget());
}

View& ChartView::view()
{
    euro32::resize(view_, width(), height());
    return view_;
}

QImage ChartView::capture()
{
    view();
    QImage image(view_.width, view_.height, QImage::Format_RGB32);
    QPainter painter(&image);
    euro32::render(painter, view_, sceneFor(selected_, catalogue_));
    return image;
}

void ChartView::paintEvent(QPaintEvent*)
{
    view();
    QPainter painter(this);
    euro32::render(painter, view_, sceneFor(selected_, catalogue_));
    if (engine().callbacks.userDraw)
        engine().callbacks.userDraw(handle_, &painter);
}

bool ChartView::offerToProgram(UINT message, QMouseEvent* event)
{
    if (catalogue_ || !engine().callbacks.mouseChange)
        return false;
    WPARAM keys = 0;
    if (event->buttons() & Qt::LeftButton)
        keys |= 0x0001;
    if (event->buttons() & Qt::RightButton)
        keys |= 0x0002;
    return engine().callbacks.mouseChange(handle_, message, keys, pointParam(event->position())) != 0;
}

void ChartView::mousePressEvent(QMouseEvent* event)
{
    offerToProgram(event->button() == Qt::RightButton ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, event);
}

void ChartView::mouseMoveEvent(QMouseEvent* event)
{
    offerToProgram(WM_MOUSEMOVE, event);
}

void ChartView::mouseReleaseEvent(QMouseEvent* event)
{
    const bool right = event->button() == Qt::RightButton;
    if (offerToProgram(right ? WM_RBUTTONUP : WM_LBUTTONUP, event))
        return;
    if (catalogue_ && !right)
        openChartAt(event->position());
    else if (right)
        showUserOptions(event->globalPosition().toPoint());
}

void ChartView::wheelEvent(QWheelEvent* event)
{
    const double factor = event->angleDelta().y() > 0 ? 0.5 : 2.0;
    view().degPerPixel *= factor;
    limitScale(view_);
    update();
}

// The chart under the click, the most detailed where charts overlap.
void ChartView::openChartAt(QPointF pixel)
{
    const auto& charts = engine().charts;
    int chosen = -1;
    double chosenArea = 0.0;
    for (size_t i = 0; i < charts.size(); ++i) {
        const QRectF box = catalogueBox(view(), *charts[i]);
        const double area = box.width() * box.height();
        if (box.adjusted(-3, -3, 3, 3).contains(pixel) && (chosen < 0 || area < chosenArea)) {
            chosen = static_cast<int>(i);
            chosenArea = area;
        }
    }
    if (chosen >= 0) {
        catalogue_ = false;
        selectChart(chosen, true);
    }
}

void ChartView::showUserOptions(QPoint at)
{
    const Callbacks& cb = engine().callbacks;
    if (!cb.rightMouse)
        return;
    int option = 0;
    if (win::isHeadless()) {
        // Headless runs take the choice a test queued; there is no menu to wait for.
        if (auto scripted = win::scripted::takeDialog("User Options"); scripted && scripted->code == IDOK)
            option = std::atoi(scripted->controls[1].c_str());
    } else {
        QMenu menu;
        QAction* first = menu.addAction(QString::fromStdString(cb.option1));
        QAction* second = menu.addAction(QString::fromStdString(cb.option2));
        QAction* chosen = menu.exec(at);
        option = chosen == first ? 1 : chosen == second ? 2 : 0;
    }
    if (option == 1 || option == 2)
        cb.rightMouse(handle_, option);
}

ChartView* chartView(HWND handle)
{
    return dynamic_cast<ChartView*>(win::widgetOf(handle));
}

// A destroyed window's widget may live until the event loop deletes it; it no longer counts.
std::vector<ChartView*> chartViews()
{
    std::vector<ChartView*> live;
    for (ChartView* v : openViews())
        if (IsWindow(v->handle()))
            live.push_back(v);
    return live;
}

ChartView* topChartView()
{
    if (QMdiArea* mdi = engine().mdi)
        if (QMdiSubWindow* active = mdi->activeSubWindow())
            if (auto* view = dynamic_cast<ChartView*>(active->widget()); view && IsWindow(view->handle()))
                return view;
    const std::vector<ChartView*> live = chartViews();
    return live.empty() ? nullptr : live.back();
}

} // namespace euro32
