// replaymake on a real pseudo-terminal: keys are taken one at a time without echo, lines are
// typed as usual.
#include "ReplaymakeFixture.h"

#include <chrono>
#include <csignal>
#include <thread>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

class Terminal {
public:
    Terminal()
    {
        if (openpty(&master_, &slave_, nullptr, nullptr, nullptr) != 0)
            throw std::runtime_error("no pseudo-terminal");
    }
    ~Terminal()
    {
        close(master_);
        if (slave_ >= 0)
            close(slave_);
    }

    pid_t start(const char* program)
    {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        for (int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO})
            posix_spawn_file_actions_adddup2(&actions, slave_, fd);
        char* argv[] = {const_cast<char*>(program), nullptr};
        pid_t pid = -1;
        posix_spawn(&pid, program, &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        close(slave_);
        slave_ = -1;
        return pid;
    }

    // Reads the screen until `text` has appeared; false after two seconds without it.
    bool waitFor(const std::string& text)
    {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (screen_.find(text, seen_) == std::string::npos) {
            pollfd p{master_, POLLIN, 0};
            if (std::chrono::steady_clock::now() > deadline || poll(&p, 1, 100) < 0)
                return false;
            char buffer[256];
            if (p.revents & POLLIN) {
                ssize_t n = read(master_, buffer, sizeof buffer);
                if (n <= 0)
                    return false;
                screen_.append(buffer, std::size_t(n));
            } else if (p.revents & (POLLHUP | POLLERR)) {
                return false;
            }
        }
        seen_ = screen_.find(text, seen_) + text.size();
        return true;
    }

    // Takes in whatever the program wrote before it ended.
    void drain()
    {
        char buffer[256];
        ssize_t n;
        while ((n = read(master_, buffer, sizeof buffer)) > 0)
            screen_.append(buffer, std::size_t(n));
    }

    void type(const std::string& keys) { ASSERT_EQ(write(master_, keys.data(), keys.size()), ssize_t(keys.size())); }
    const std::string& screen() const { return screen_; }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string screen_;
    std::size_t seen_ = 0;
};

} // namespace

TEST_F(ReplaymakeTest, TakesSingleKeysWithoutEchoFromATerminal)
{
    store.addTrack(0, {MakePoint(1, 1, 1, 0, 0)}, std::nullopt);
    store.addTrack(1, {MakePoint(2, 1, 1, 0, 0)}, std::nullopt);
    Terminal terminal;
    pid_t pid = terminal.start(REPLAYMAKE_PROGRAM);
    ASSERT_GT(pid, 0);

    // What the program shows, and what the user types then.
    const std::pair<const char*, const char*> dialogue[] = {
        {"live tracks", "k"},   {"End of file", "x"}, {"(y/n)", "Y"},
        {"when finished)", "3\r"}, {"when finished)", "\r"}, {"That was 1 points", "q"},
    };
    for (const auto& [shown, typed] : dialogue) {
        ASSERT_TRUE(terminal.waitFor(shown)) << shown << "\n" << terminal.screen();
        terminal.type(typed);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    terminal.drain();

    EXPECT_EQ(WEXITSTATUS(status), 1);
    const std::string& screen = terminal.screen();
    for (const char* unechoed : {"tracks\r\nInfo", "End of file\r\n\r\nUsing", "(y/n)\r\nPLease", "points\r\n"})
        EXPECT_NE(screen.find(unechoed), std::string::npos) << unechoed << "\n" << screen;
    EXPECT_TRUE(screen.ends_with("points\r\n")) << screen;
    // A typed line is echoed as the user types it.
    EXPECT_NE(screen.find("finished)3"), std::string::npos) << screen;
    EXPECT_EQ(written("sedrix.txt"), "E0020F1750S1750\r\n");
}

TEST_F(ReplaymakeTest, TakesSingleKeysAgainAfterBeingSuspended)
{
    store.addTrack(0, {MakePoint(1, 1, 1, 0, 0)}, std::nullopt);
    Terminal terminal;
    pid_t pid = terminal.start(REPLAYMAKE_PROGRAM);
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(terminal.waitFor("live tracks")) << terminal.screen();

    // Ctrl-Z, then "fg": the shell had the terminal meanwhile; a single key must do again.
    kill(pid, SIGTSTP);
    // Once more, in case a busy machine let the first go before the program had stopped.
    for (int i = 0; i < 2; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        kill(pid, SIGCONT);
    }
    terminal.type("k");
    EXPECT_TRUE(terminal.waitFor("End of file")) << terminal.screen();

    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
}
