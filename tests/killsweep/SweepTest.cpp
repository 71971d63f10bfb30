// The kill sweep: the recording scenario is killed before each of its file operations in turn
// (the preloaded shim counts them), a fresh run starts up from what it left, records and stores
// once more, and the databases must hold every recorded reading once, with its own time, in a
// track of its own slot whose entry, counts and beam describe it. TIDEVANE_KILL_SWEEP=full
// tries every kill point; otherwise every STEP-th.
#include "Check.h"
#include "TempDataRoot.h"

#include "Scenario.h"

#include "database/CurrentTrack.h"
#include "platform/files.h"
#include "platform/messages.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <map>
#include <regex>
#include <set>
#include <stdexcept>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace killsweep;

namespace {

constexpr long STEP = 11;       // a prime: the points tried fall on each operation of a reading in turn
constexpr size_t SHOWN = 6;     // problems shown on a kill point's line
constexpr size_t FIRST = 5;     // failed kill points shown in the summary

struct ChildRun {
    int status = 0;
    std::string out;
    std::string err;
};

// Runs the scenario, its output in `work`; with the shim when `killAt` >= 0 (0: it counts the
// operations into "scenario.count" instead of killing).
ChildRun RunScenario(const fs::path& work, const char* mode, long killAt)
{
    fs::path out = work / "scenario.out", err = work / "scenario.err";
    pid_t pid = fork();
    if (pid == 0) {
        dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 1);
        dup2(open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
        if (killAt >= 0) {
            setenv("LD_PRELOAD", SHIM_PATH, 1);
            if (killAt > 0)
                setenv("TIDEVANE_KILL_AT", std::to_string(killAt).c_str(), 1);
            else
                setenv("TIDEVANE_KILL_COUNT_FILE", (work / "scenario.count").c_str(), 1);
        }
        execl(SCENARIO_PATH, SCENARIO_PATH, mode, static_cast<char*>(nullptr));
        _exit(127);
    }
    ChildRun run;
    waitpid(pid, &run.status, 0);
    // No kill point's fault: without the program (relinked meanwhile, say) the sweep means nothing.
    if (WIFEXITED(run.status) && WEXITSTATUS(run.status) == 127)
        throw std::runtime_error("cannot run " SCENARIO_PATH);
    run.out = TempDataRoot::readFile(out);
    run.err = TempDataRoot::readFile(err);
    return run;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string Describe(int status)
{
    if (WIFSIGNALED(status))
        return "signal " + std::to_string(WTERMSIG(status));
    return "status " + std::to_string(WEXITSTATUS(status));
}

// What one kill point left after the resume.
struct Outcome {
    std::string operation; // the operation the shim killed before
    std::vector<std::string> problems;
    long operations = 0;   // counted when nothing was killed
};

class KillSweep : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The other database, created by the library as any new database is, then set aside.
        TempDataRoot scratch;
        win::scripted::listen();
        ASSERT_EQ(DBInitialiseDatabase('C'), 1);
        EXPECT_TRUE(win::scripted::boxes().empty());
        win::scripted::stopListening();
        fs::copy(*win::HostPath("c:\\varnel\\database"), work.root() / OTHER_DATABASE, fs::copy_options::recursive);
    }

    // Kills the scenario before operation `n` (0: never, counting them), then resumes and checks.
    Outcome Try(long n)
    {
        TempDataRoot home;
        fs::copy(work.root() / OTHER_DATABASE, *win::HostPath(std::string("c:\\varnel\\") + OTHER_DATABASE),
                 fs::copy_options::recursive);
        Outcome outcome;
        ChildRun killed = RunScenario(work.root(), "record", n);
        if (n == 0 && (!WIFEXITED(killed.status) || WEXITSTATUS(killed.status) != 0))
            outcome.problems.push_back("the scenario ended with " + Describe(killed.status));
        if (n > 0 && !(WIFSIGNALED(killed.status) && WTERMSIG(killed.status) == SIGKILL))
            outcome.problems.push_back("the scenario was not killed: " + Describe(killed.status));
        for (const std::string& line : Lines(killed.err)) {
            if (line.rfind("kill before ", 0) == 0)
                outcome.operation = line.substr(5);
            else
                outcome.problems.push_back("before the kill: " + line);
        }
        if (n == 0)
            outcome.operations = std::atol(TempDataRoot::readFile(work.root() / "scenario.count").c_str());

        ChildRun resumed = RunScenario(work.root(), "resume", -1);
        if (!WIFEXITED(resumed.status) || WEXITSTATUS(resumed.status) != 0)
            outcome.problems.push_back("the resume ended with " + Describe(resumed.status));
        for (const std::string& line : Lines(resumed.err))
            outcome.problems.push_back("the resume showed \"" + line + "\"");
        auto found = CheckDatabases(RunLog::Parse(killed.out), RunLog::Parse(resumed.out));
        outcome.problems.insert(outcome.problems.end(), found.begin(), found.end());
        return outcome;
    }

    TempDataRoot work; // the other database's template and the runs' output; never a run's root
};

// The kill point's problems, those the undisturbed run does not have first.
std::string Report(long n, const Outcome& outcome, const std::set<std::string>& undisturbed)
{
    std::vector<std::string> own;
    for (const std::string& problem : outcome.problems)
        if (n == 0 || !undisturbed.count(problem))
            own.push_back(problem);
    std::ostringstream line;
    line << "kill point " << n << " (" << (n == 0 ? "none" : outcome.operation) << "): ";
    for (size_t i = 0; i < own.size() && i < SHOWN; ++i)
        line << (i ? "; " : "") << own[i];
    if (own.size() > SHOWN)
        line << " (+" << own.size() - SHOWN << " more)";
    if (size_t shared = outcome.problems.size() - own.size())
        line << (own.empty() ? "" : "; ") << shared << " as without a kill";
    return line.str();
}

// A problem with its numbers taken out, so that the same fault at other points counts once.
std::string Kind(const std::string& problem) { return std::regex_replace(problem, std::regex("-?[0-9]+"), "#"); }

TEST_F(KillSweep, NothingRecordedIsLostDuplicatedOrMisattributed)
{
    const char* mode = std::getenv("TIDEVANE_KILL_SWEEP");
    const long step = mode && std::string(mode) == "full" ? 1 : STEP;

    // Without a kill first: the number of operations, and the checks on an undisturbed run.
    Outcome whole = Try(0);
    ASSERT_GT(whole.operations, 0) << "the shim counted nothing";
    const std::set<std::string> undisturbed(whole.problems.begin(), whole.problems.end());
    std::vector<std::string> failures;
    std::map<std::string, std::pair<int, long>> kinds; // kind: kill points showing it, first one
    long tried = 0;
    for (long n = 0; n <= whole.operations; n = n == 0 ? 1 : n + step) {
        Outcome outcome = n == 0 ? whole : Try(n);
        ++tried;
        if (outcome.problems.empty())
            continue;
        failures.push_back(Report(n, outcome, undisturbed));
        std::cout << failures.back() << std::endl;
        std::set<std::string> seen;
        for (const std::string& problem : outcome.problems)
            if (seen.insert(Kind(problem)).second && kinds[Kind(problem)].first++ == 0)
                kinds[Kind(problem)].second = n;
    }
    std::cout << "kill points: " << whole.operations << ", tried: " << tried << " (every " << step
              << "), failed: " << failures.size() << std::endl;
    for (const auto& [kind, seen] : kinds)
        std::cout << "  " << seen.first << " x (first at " << seen.second << "): " << kind << std::endl;
    if (!failures.empty()) {
        std::ostringstream summary;
        summary << failures.size() << " of " << tried << " kill points (of " << whole.operations
                << ") left faults; the first:";
        for (size_t i = 0; i < failures.size() && i < FIRST; ++i)
            summary << "\n" << failures[i];
        ADD_FAILURE() << summary.str();
    }
}

} // namespace
