#include "Console.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <termios.h>
#include <unistd.h>

namespace replaymake {
namespace {

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

// Puts the terminal into single-key mode without echo for its lifetime.
class RawKeys {
public:
    RawKeys()
    {
        active_ = tcgetattr(STDIN_FILENO, &saved_) == 0;
        if (!active_)
            return;
        termios raw = saved_;
        raw.c_lflag &= ~(ICANON | ECHO);
        raw.c_cc[VMIN] = 1;
        raw.c_cc[VTIME] = 0;
        tcsetattr(STDIN_FILENO, TCSANOW, &raw);
    }
    ~RawKeys()
    {
        if (active_)
            tcsetattr(STDIN_FILENO, TCSANOW, &saved_);
    }
    RawKeys(const RawKeys&) = delete;
    RawKeys& operator=(const RawKeys&) = delete;

private:
    termios saved_{};
    bool active_ = false;
};

} // namespace

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
    if (!InputIsTerminal())
        return ReadByte();
    RawKeys raw;
    return ReadByte();
}

void DiscardPendingKeys()
{
    if (InputIsTerminal())
        tcflush(STDIN_FILENO, TCIFLUSH);
}

std::optional<std::string> ReadLine()
{
    std::fflush(stdout);
    std::string line;
    for (;;) {
        int c = ReadByte();
        if (c == END_OF_INPUT)
            return line.empty() ? std::nullopt : std::optional(line);
        if (c == '\n')
            break;
        if (c != '\r')
            line += char(c);
    }
    return line;
}

bool IsYes(int key) { return key == 'y' || key == 'Y'; }

} // namespace replaymake
