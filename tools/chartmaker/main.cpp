// chartmaker: writes the demo S-57 cell of the survey area.
//   chartmaker [output.000]      (default: TV5DEMO1.000 in the current folder)
#include "democell.h"

#include <cstdio>

int main(int argc, char** argv)
{
    const std::string path = argc > 1 ? argv[1] : chartmaker::kDemoCellName;
    chartmaker::S57CellWriter cell({chartmaker::kDemoCellName, 22000, "20260101",
                                    "Tidevane demo survey area"});
    std::string error;
    if (!chartmaker::buildDemoCell(cell, &error) || !cell.write(path, &error)) {
        std::fprintf(stderr, "chartmaker: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s: %zu features\n", path.c_str(), cell.featureCount());
    return 0;
}
