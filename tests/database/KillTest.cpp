// A recording process killed at random moments loses nothing: every point whose append had
// returned is in a stored track after the next start-up, with one time per point.
#include "DatabaseFixture.h"
#include "ScopedGuards.h"

#include <fcntl.h>
#include <poll.h>
#include <random>
#include <set>
#include <signal.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Killed {
    std::set<std::pair<int, int>> appended; // (run, n) of every append that returned
    std::string errors;
    bool ready = false;
};

// Starts the recorder and kills it `killMs` after it started (from its spawn when
// `duringStartUp`, else from the moment it is recording).
Killed RecordAndKill(int run, int killMs, bool duringStartUp, const fs::path& errorFile)
{
    int out[2];
    EXPECT_EQ(pipe(out), 0);
    pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], 1);
        int err = open(errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(err, 2);
        close(out[0]);
        std::string arg = std::to_string(run);
        execl(RECORDER_PATH, RECORDER_PATH, arg.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    using Clock = std::chrono::steady_clock;
    auto killAt = Clock::now() + std::chrono::milliseconds(duringStartUp ? killMs : 10000);
    std::string text;
    Killed result;
    char buffer[65536];
    bool killed = false;
    for (;;) {
        if (!killed && Clock::now() >= killAt) {
            kill(pid, SIGKILL);
            killed = true;
        }
        pollfd p{out[0], POLLIN, 0};
        if (poll(&p, 1, 2) > 0) {
            ssize_t n = read(out[0], buffer, sizeof buffer);
            if (n <= 0)
                break;
            text.append(buffer, size_t(n));
        }
        if (!result.ready && text.find("READY\n") != std::string::npos) {
            result.ready = true;
            if (!duringStartUp)
                killAt = Clock::now() + std::chrono::milliseconds(killMs);
        }
    }
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status)) << "the recorder stopped by itself";
    // Only whole lines: a line cut short was never fully printed.
    std::istringstream lines(text.substr(0, text.rfind('\n') + 1));
    std::string line;
    while (std::getline(lines, line)) {
        int r, n;
        if (std::sscanf(line.c_str(), "%d %d", &r, &n) == 2)
            result.appended.insert({r, n});
    }
    result.errors = TempDataRoot::readFile(errorFile);
    return result;
}

TEST(KillWhileRecording, EveryReturnedAppendIsStored)
{
    TempDataRoot home;
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> recording(1, 300);
    std::uniform_int_distribution<int> startingUp(0, 40);
    std::set<std::pair<int, int>> appended;
    for (int run = 1; run <= 10; ++run) {
        // Every third run dies while starting up, perhaps while storing what the last one left.
        bool duringStartUp = run % 3 == 0;
        Killed k = RecordAndKill(run, duringStartUp ? startingUp(random) : recording(random), duringStartUp,
                                 home.root() / "recorder.err");
        EXPECT_TRUE(k.ready || duringStartUp) << k.errors;
        EXPECT_EQ(k.errors, "") << "run " << run;
        appended.insert(k.appended.begin(), k.appended.end());
    }
    ASSERT_FALSE(appended.empty());

    ScopedMessageListening listening;
    ASSERT_EQ(DBInitialiseDatabase('C'), 1);
    EXPECT_TRUE(win::scripted::boxes().empty());
    EXPECT_EQ(globaltrackstatus.field[TS_SAVING], 0);

    std::set<std::pair<int, int>> stored;
    fs::path tracks = *win::HostPath("c:\\varnel\\database\\ovl00001");
    int entries = int(fs::file_size(tracks / "tracks.inf") / 42);
    for (uint32_t handle = 2; handle <= uint32_t(entries); ++handle) {
        TrackInfo info{};
        info.handle = handle;
        ASSERT_EQ(DBGetObjectInfo(TRACK_OVERLAY, OBJ_TRACK, &info, "database"), 1);
        ASSERT_EQ(info.handle, handle);
        char name[16];
        std::snprintf(name, sizeof name, "trk%05u", handle);
        auto points = fs::file_size(tracks / (std::string(name) + ".dat"));
        ASSERT_EQ(points % 22, 0u) << name;
        EXPECT_EQ(fs::file_size(tracks / (std::string(name) + ".tim")), points / 22 * 4) << name;
        std::vector<TrackPoint> buffer(TRACK_BLOCK_POINTS);
        TrackBlock block{buffer.data(), 0, 0};
        do {
            ASSERT_EQ(DBReadTrackDataBlock(&info, &block, "database"), 1);
            for (int i = 0; i < block.count; ++i)
                EXPECT_TRUE(stored.insert({+buffer[size_t(i)].lat, +buffer[size_t(i)].lon}).second)
                    << "stored twice";
        } while (block.count == TRACK_BLOCK_POINTS);
    }
    for (const auto& a : appended)
        ASSERT_TRUE(stored.count(a)) << "lost run " << a.first << " point " << a.second;
    // The current files are empty again.
    for (const char* name : {"trk00001.dat", "t0100001.dat", "t9900001.dat"})
        EXPECT_EQ(fs::file_size(tracks / name), 0u);
}

} // namespace
