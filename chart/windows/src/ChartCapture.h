// The painting source: the last captured chart with the stored tracks drawn on.
#pragma once

#include <QImage>

// Null until the first capture.
const QImage* ChartPaintingSource();
void ReleaseChartImages();
