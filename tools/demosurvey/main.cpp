// demosurvey: prepares the survey part of a demo data root.
//
//   demosurvey            works on drive C: of $TIDEVANE_HOME (default ~/.local/share/tidevane)
//   demosurvey --help
//
// It writes the demo box file "c:\varnel\BoxFiles\demo.box" (one class per seabed kind of the
// demo area, and the box the program starts with), records four parallel survey lines across
// the demo area's water with all seven transducers into the active database
// "c:\varnel\database" and stores them as tracks, as the program's recording stores them, and
// writes "c:\varnel\testdata\nav.txt" and "sedrix.txt" for two further lines beside them for the
// replay module. The database shows every stored track, coloured by class. A database that
// already holds tracks is left alone. Exit codes: 0 done, 1 failed,
// 2 wrong arguments. The box file shipped as data/demo/demo.box is the one this tool writes.
#include "DemoSurvey.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr char HELP[] = R"(Usage: demosurvey [--help]

Prepares the survey part of a demo data root on drive C: of $TIDEVANE_HOME (default
~/.local/share/tidevane), in the demo area around 57.70 N, 11.85 E:

  c:\varnel\BoxFiles\demo.box   the demo box file: Sand, Gravel, Muddy Sand and Mud by their
                                echo values; made the box the program starts with
  c:\varnel\database            four parallel survey lines recorded with all seven transducers
                                and stored as tracks (the database is created when missing and
                                must not hold tracks yet)
  c:\varnel\testdata\nav.txt    two further lines beside them, for the replay module
  c:\varnel\testdata\sedrix.txt

Exit codes: 0 done, 1 failed (the reason is printed), 2 wrong arguments.
)";

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(HELP, stdout);
        return 0;
    }
    if (argc > 1) {
        std::fprintf(stderr, "demosurvey: unknown argument %s (see --help)\n", argv[1]);
        return 2;
    }
    std::string error;
    const std::optional<DemoSurveyResult> made = MakeDemoSurvey(error);
    if (!made) {
        std::fprintf(stderr, "demosurvey: %s\n", error.c_str());
        return 1;
    }
    std::printf("c:\\varnel\\BoxFiles\\demo.box\n"
                "c:\\varnel\\database: %d lines stored as %d tracks, %zu points\n"
                "c:\\varnel\\testdata: %d lines to replay, %zu records\n",
                made->storedLines, made->storedTracks, made->storedPoints, made->replayLines, made->replayRecords);
    return 0;
}
