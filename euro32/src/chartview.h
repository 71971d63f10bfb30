// A chart window: a widget in an MDI sub-window that draws its view of the charts, hands its
// mouse messages to the program first, and takes part in the engine's catalogue.
#pragma once

#include "platform/windef.h"

#include "projection.h"

#include <QImage>
#include <QWidget>

#include <vector>

class QMdiSubWindow;

namespace euro32 {

class ChartView : public QWidget {
public:
    // A chart window inside the MDI child window frame.
    ChartView(HWND frame, int width, int height);
    ~ChartView() override;

    HWND handle() const { return handle_; }
    // The view at the widget's current size: a hidden widget gets no resize events.
    View& view();

    int selectedChart() const { return selected_; }
    // Shows the chart on top, titles the window with its name and zooms to it when asked.
    void selectChart(int index, bool zoom);
    void setCatalogue(bool on);
    bool catalogue() const { return catalogue_; }
    void zoomFull();
    void updateTitle();

    QImage capture();
    QMdiSubWindow* subWindow() const;

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void wheelEvent(QWheelEvent*) override;

private:
    bool offerToProgram(UINT message, QMouseEvent* event);
    void openChartAt(QPointF pixel);
    void showUserOptions(QPoint at);

    HWND handle_;
    View view_;
    int selected_ = -1;
    bool catalogue_ = false;
};

// The chart windows behind their handles.
ChartView* chartView(HWND handle);
std::vector<ChartView*> chartViews();
// The active chart window, else the newest; null when none is open.
ChartView* topChartView();

} // namespace euro32
