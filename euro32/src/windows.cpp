#include "windows.h"

#include "chartview.h"
#include "engine.h"

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
    auto* view = new ChartView(width, height);
    QMdiSubWindow* sub = mdi->addSubWindow(view);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->move(x, y);
    view->selectChart(engine().charts.empty() ? -1 : 0, true);
    mdi->setActiveSubWindow(sub);
    return view;
}

void closeChartWindow(ChartView* view)
{
    if (QMdiSubWindow* sub = view->subWindow()) {
        delete sub; // and the view with it, so its handle is gone at once
        return;
    }
    delete view;
}

} // namespace euro32
