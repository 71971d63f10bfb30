// The chart set open at exit, saved in chart.ini section "STATUS" and reopened at the next start:
// per window its chart and its area, plus the colour scheme and the Blank display.
#pragma once

namespace euro32 {

bool saveChartStatus();
bool statusSaved();
int beginRestore();   // number of chart windows to reopen
bool restoreNext();   // reopens the next one
void finishRestore();

} // namespace euro32
