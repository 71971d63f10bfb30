// Opening chart windows in the MDI area.
#pragma once

namespace euro32 {

class ChartView;

// A new chart window in the MDI area at the given client geometry; a zero size takes the MDI
// area's size. It shows the chart a window showed last, else the first installed chart.
ChartView* openChartWindow(int x, int y, int width, int height);
void closeChartWindow(ChartView* view);

} // namespace euro32
