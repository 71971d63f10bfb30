// tidevane-export run as a process: usage, its errors and exit codes, and a real export.
#include "ExportFixture.h"

#include "ChildProcess.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

ChildResult RunExport(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), EXPORT_PROGRAM);
    return RunChild(arguments, "");
}

} // namespace

TEST_F(ExportTest, ToolHelpDocumentsItsExitCodes)
{
    const ChildResult run = RunExport({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.output.find("Usage: tidevane-export"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("Exit codes: 0 done, 1 bad usage or unknown format, 2 database missing"),
              std::string::npos) << run.output;
}

TEST_F(ExportTest, ToolErrorsHaveOneLineAndTheirExitCode)
{
    const std::string out = (home.root() / "survey.gpkg").string();
    struct Case {
        std::vector<std::string> arguments;
        int exitCode;
        std::string message;
    };
    const Case cases[] = {
        {{"--format", "dxf", out}, 1, "tidevane-export: unknown format \"dxf\" (try --help)\n"},
        {{"--format", "csv", out}, 1, "tidevane-export: OUTPUT must end in .csv for format csv (try --help)\n"},
        {{(home.root() / "survey.txt").string()}, 1,
         "tidevane-export: OUTPUT must end in .gpkg, .geojson, .csv, .kml or .shp (try --help)\n"},
        {{"--area", "1,2,3", out}, 1, "tidevane-export: --area takes west,north,east,south in degrees (try --help)\n"},
        {{}, 1, "tidevane-export: give one OUTPUT (try --help)\n"},
        {{"--database", "Nowhere", out}, 2, "tidevane-export: no database named \"Nowhere\"\n"},
        {{(home.root() / "no" / "such" / "x.gpkg").string()}, 3,
         "tidevane-export: cannot write beside " + (home.root() / "no" / "such" / "x.gpkg").string() + "\n"},
    };
    for (const auto& c : cases) {
        const ChildResult run = RunExport(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.message;
        EXPECT_EQ(run.errors, c.message);
    }
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(ExportTest, ToolWithoutAnActiveDatabaseSaysSo)
{
    fs::remove_all(home.driveC() / "varnel" / "database");
    const ChildResult run = RunExport({(home.root() / "survey.gpkg").string()});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.errors, "tidevane-export: database \"database\" does not exist\n");
}

TEST_F(ExportTest, ToolExportsTheChosenTracksOfANamedDatabase)
{
    const fs::path output = home.root() / "second.geojson";
    const ChildResult run = RunExport({"--database", "North Bank", "--tracks", std::to_string(secondHandle), output.string()});
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.errors, ""); // no bar when stderr is no terminal
    auto set = open(output);
    ASSERT_TRUE(set);
    EXPECT_EQ(set->GetLayer(0)->GetFeatureCount(), GIntBig(expectedSoundings(true).size()));
    EXPECT_TRUE(fs::exists(home.root() / "second_tracks.geojson"));
}
