// chartmaker: writes the demo S-57 cell of the survey area.
//   chartmaker [output.000]      (default: TV5DEMO1.000 in the current folder)
//   chartmaker --help
// Exit codes: 0 written, 1 failed, 2 wrong arguments.
#include "democell.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr char HELP[] = R"(Usage: chartmaker [output.000]
       chartmaker --help

Writes the demo chart of the survey area as the S-57 cell TV5DEMO1.000: land, depth areas
and contours traced from the demo seabed, soundings, buoys, a beacon, lights and dangers.

  output.000   the file to write (default: TV5DEMO1.000 in the current folder); an
               existing file is replaced. A name that starts with "-" is given as "./-name".

Exit codes: 0 written, 1 failed (the reason is printed), 2 wrong arguments.
)";

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(HELP, stdout);
        return 0;
    }
    // An option this tool does not know is a mistake, not the name of the chart to write.
    if (argc > 1 && argv[1][0] == '-') {
        std::fprintf(stderr, "chartmaker: unknown option %s (see --help)\n", argv[1]);
        return 2;
    }
    if (argc > 2) {
        std::fprintf(stderr, "chartmaker: one output file only, not %s (see --help)\n", argv[2]);
        return 2;
    }
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
