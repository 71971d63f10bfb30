#include "Console.h"

#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <termios.h>
#include <unistd.h>

namespace replaymake {
namespace {

// The terminal's own settings while a session has changed them.
termios savedSettings;
volatile sig_atomic_t sessionActive = 0;

bool InputIsTerminal() { return isatty(STDIN_FILENO) == 1; }

// One byte straight from standard input, so nothing is read ahead of what is asked for.
int ReadByte()
{
    unsigned char c;
    for (;;) {
        ssize_t n = read(STDIN_FILENO, &c, 1);
        if (n == 1)
            return c;
        if (n < 0 && errno == EINTR)
            continue;
        return END_OF_INPUT;
    }
}

void SetKeyMode()
{
    termios keys = savedSettings;
    keys.c_lflag &= ~(ICANON | ECHO);
    keys.c_cc[VMIN] = 1;
    keys.c_cc[VTIME] = 0;
    tcsetattr(STDIN_FILENO, TCSANOW, &keys);
}

void RestoreTerminal() { tcsetattr(STDIN_FILENO, TCSANOW, &savedSettings); }

void RestoreAndDie(int signal)
{
    if (sessionActive)
        RestoreTerminal();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// The shell gets its terminal back while the program is suspended; on resuming, single keys
// are taken again.
void RestoreAndSuspend(int signal)
{
    if (sessionActive)
        RestoreTerminal();
    std::signal(signal, SIG_DFL);
    // The signal is held while its handler runs: let it through so the stop happens here.
    sigset_t held;
    sigemptyset(&held);
    sigaddset(&held, signal);
    sigprocmask(SIG_UNBLOCK, &held, nullptr);
    std::raise(signal);
    std::signal(signal, RestoreAndSuspend);
    if (sessionActive)
        SetKeyMode();
}

} // namespace

KeyboardSession::KeyboardSession()
{
    if (!InputIsTerminal() || tcgetattr(STDIN_FILENO, &savedSettings) != 0)
        return;
    sessionActive = 1;
    for (int signal : {SIGINT, SIGTERM, SIGQUIT, SIGHUP})
        std::signal(signal, RestoreAndDie);
    std::signal(SIGTSTP, RestoreAndSuspend);
    SetKeyMode();
}

KeyboardSession::~KeyboardSession()
{
    if (!sessionActive)
        return;
    RestoreTerminal();
    sessionActive = 0;
}

void Say(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::vfprintf(stdout, format, args);
    va_end(args);
}

void Complain(const char* format, ...)
{
    std::fflush(stdout);
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
}

int ReadKey()
{
    std::fflush(stdout);
    return ReadByte();
}

int AskKey(const char* question)
{
    if (sessionActive)
        tcflush(STDIN_FILENO, TCIFLUSH);
    Say("%s", question);
    return ReadKey();
}

std::optional<std::string> ReadLine()
{
    // Echo is back on before the prompt shows, so the whole line is seen as it is typed.
    if (sessionActive)
        RestoreTerminal();
    std::fflush(stdout);
    std::string line;
    int c;
    while ((c = ReadByte()) != END_OF_INPUT && c != '\n')
        if (c != '\r')
            line += char(c);
    if (sessionActive)
        SetKeyMode();
    if (c == END_OF_INPUT && line.empty())
        return std::nullopt;
    return line;
}

bool IsYes(int key) { return key == 'y' || key == 'Y'; }

} // namespace replaymake
