// The engine's own commands: Blank and Normal display, Settings, Install, Colour, Folio,
// Catalogue, reloading the chart folder and redrawing.
#pragma once

#include <string>
#include <vector>

namespace euro32 {

bool doAction(int action);

// Copies chart files (host paths) into the chart folder with their update files, showing
// progress; reloads the charts. Returns the number of files copied.
int installCharts(const std::vector<std::string>& files);

} // namespace euro32
