#include "ChildProcess.h"

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

std::string slurp(int fd)
{
    std::string text;
    char buffer[65536];
    ssize_t n;
    lseek(fd, 0, SEEK_SET);
    while ((n = read(fd, buffer, sizeof buffer)) > 0)
        text.append(buffer, std::size_t(n));
    return text;
}

// An unnamed temporary file to collect one output stream.
int tempFile()
{
    char pattern[] = "/tmp/replaymake-child-XXXXXX";
    int fd = mkstemp(pattern);
    if (fd < 0)
        throw std::runtime_error("cannot create a temporary file");
    unlink(pattern);
    return fd;
}

} // namespace

ChildResult RunChild(const std::vector<std::string>& argv, const std::string& input, bool discardOutput)
{
    // The input goes into a file first, so the child can read it at its own pace and exit
    // without reading it all.
    int in = tempFile();
    if (write(in, input.data(), input.size()) != ssize_t(input.size()))
        throw std::runtime_error("cannot write the child's input");
    lseek(in, 0, SEEK_SET);
    int out = discardOutput ? open("/dev/null", O_WRONLY) : tempFile();
    int err = discardOutput ? open("/dev/null", O_WRONLY) : tempFile();

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err, STDERR_FILENO);
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    auto start = std::chrono::steady_clock::now();
    pid_t pid;
    int rc = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        throw std::runtime_error("cannot start " + argv[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    ChildResult result;
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.peakKilobytes = usage.ru_maxrss;
    auto toSeconds = [](const timeval& t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
    result.cpuSeconds = toSeconds(usage.ru_utime) + toSeconds(usage.ru_stime);
    if (!discardOutput) {
        result.output = slurp(out);
        result.errors = slurp(err);
    }
    close(in);
    close(out);
    close(err);
    return result;
}
