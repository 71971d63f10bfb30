// The chart maker's arguments: its help, options it does not know, and the file it writes,
// run in an empty folder of its own so that any file it writes there shows.
#include "ChildProcess.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Chartmaker : ::testing::Test {
    fs::path previous = fs::current_path();
    fs::path folder;

    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "chartmaker-test-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        fs::current_path(folder);
    }
    void TearDown() override
    {
        fs::current_path(previous);
        fs::remove_all(folder);
    }

    static ChildResult run(const std::vector<std::string>& arguments)
    {
        std::vector<std::string> argv{CHARTMAKER_PROGRAM};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        return RunChild(argv, "");
    }
    bool folderEmpty() const { return fs::is_empty(folder); }
};

TEST_F(Chartmaker, HelpPrintsItsUsageAndWritesNothing)
{
    for (const char* option : {"--help", "-h"}) {
        SCOPED_TRACE(option);
        const ChildResult help = run({option});
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_EQ(help.output.rfind("Usage: chartmaker [output.000]", 0), 0u) << help.output;
        EXPECT_NE(help.output.find("TV5DEMO1.000"), std::string::npos) << "says what it writes";
        EXPECT_TRUE(folderEmpty());
    }
}

TEST_F(Chartmaker, UnknownOptionsAndExtraArgumentsAreRefused)
{
    struct Case {
        std::vector<std::string> arguments;
        std::string message;
    } cases[] = {
        {{"--output"}, "chartmaker: unknown option --output (see --help)"},
        {{"-"}, "chartmaker: unknown option - (see --help)"},
        {{"a.000", "b.000"}, "chartmaker: one output file only, not b.000 (see --help)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        const ChildResult refused = run(c.arguments);
        EXPECT_EQ(refused.exitCode, 2);
        EXPECT_NE(refused.errors.find(c.message), std::string::npos) << refused.errors;
        EXPECT_TRUE(folderEmpty());
    }
}

TEST_F(Chartmaker, WritesTheCellWhereItIsToldOrUnderItsOwnName)
{
    const ChildResult named = run({"./-survey.000"});
    EXPECT_EQ(named.exitCode, 0) << named.errors;
    EXPECT_EQ(named.output.rfind("./-survey.000: ", 0), 0u) << named.output;
    EXPECT_GT(fs::file_size(folder / "-survey.000"), 0u);
    const ChildResult unnamed = run({});
    EXPECT_EQ(unnamed.exitCode, 0) << unnamed.errors;
    EXPECT_GT(fs::file_size(folder / "TV5DEMO1.000"), 0u);
}

} // namespace
