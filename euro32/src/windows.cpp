#include "windows.h"

#include "chartview.h"
#include "engine.h"

#include "platform/gui.h"
#include "platform/winuser.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace euro32 {

ChartView* openChartWindow(int x, int y, int width, int height)
{
    QMdiArea* mdi = ensureMdiArea();
    if (width <= 0 || height <= 0) {
        width = std::max(mdi->width(), 640);
        height = std::max(mdi->height(), 480);
    }
    // The MDI child and the chart window inside it each have a handle, as the program takes the
    // chart title from the chart window's parent.
    auto* sub = new QMdiSubWindow;
    sub->setAttribute(Qt::WA_DeleteOnClose);
    HWND frame = win::createWindow("EC_CHARTFRAME", "", DefWindowProcA, engine().mdiClient);
    win::attachWidget(frame, sub);
    auto* view = new ChartView(frame, width, height);
    sub->setWidget(view);
    mdi->addSubWindow(sub);
    sub->move(x, y);
    const int last = chartIndex(engine().lastChart);
    view->selectChart(last >= 0 ? last : engine().charts.empty() ? -1 : 0, true);
    mdi->setActiveSubWindow(sub);
    return view;
}

void closeChartWindow(ChartView* view)
{
    // Destroying the frame deletes the sub-window and the view with it: both handles are gone.
    if (HWND frame = GetParent(view->handle())) {
        DestroyWindow(frame);
        return;
    }
    delete view;
}

} // namespace euro32
