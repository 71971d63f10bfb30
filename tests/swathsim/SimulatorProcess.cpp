#include "SimulatorProcess.h"

#include "platform/system.h"

#include <csignal>
#include <cstdio>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// Starts swathsim from the test's own folder with its output on a pipe.
pid_t spawn(const std::vector<std::string>& arguments, FILE*& output)
{
    std::string program = win::programFolder() + "/swathsim";
    std::vector<char*> argv{program.data()};
    std::vector<std::string> copies = arguments;
    for (auto& a : copies)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    pid_t pid = -1;
    int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (rc != 0) {
        close(pipeFds[0]);
        throw std::runtime_error("cannot start " + program);
    }
    output = fdopen(pipeFds[0], "r");
    return pid;
}

int waitFor(pid_t pid)
{
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

SimulatorProcess::SimulatorProcess(const std::vector<std::string>& arguments)
{
    FILE* output = nullptr;
    pid_ = spawn(arguments, output);
    char line[512];
    while (std::fgets(line, sizeof line, output)) {
        std::string text(line);
        if (!text.empty() && text.back() == '\n')
            text.pop_back();
        if (text == "ready")
            break;
        auto space = text.find(' ');
        if (space != std::string::npos)
            devices_[text.substr(0, space)] = text.substr(space + 1);
    }
    std::fclose(output);
}

SimulatorProcess::~SimulatorProcess() { stop(); }

int SimulatorProcess::stop()
{
    if (pid_ < 0)
        return 0;
    kill(pid_, SIGTERM);
    int status = waitFor(pid_);
    pid_ = -1;
    return status;
}

int SimulatorProcess::run(const std::vector<std::string>& arguments, std::string& output)
{
    FILE* out = nullptr;
    pid_t pid = spawn(arguments, out);
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, out)) > 0)
        output.append(buffer, n);
    std::fclose(out);
    return waitFor(pid);
}
