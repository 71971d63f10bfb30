// The console dialogue: listings and progress on standard output, messages on the error
// stream, single key presses without echo from a terminal. When standard input is not a
// terminal, keys and lines are taken from it as they come, so a run can be scripted; the end
// of input is reported as END_OF_INPUT and never waited on.
#pragma once

#include <optional>
#include <string>

namespace replaymake {

constexpr int KEY_ESCAPE = 27;
constexpr int END_OF_INPUT = -1;

// printf to standard output.
void Say(const char* format, ...) __attribute__((format(printf, 1, 2)));
// printf to the error stream, after what was said so far.
void Complain(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Keeps a terminal on standard input in single-key mode without echo while it lives, so that
// no key shows, not even one typed before it is asked for; typed lines are echoed as usual.
// The terminal gets its settings back also when the program is interrupted.
class KeyboardSession {
public:
    KeyboardSession();
    ~KeyboardSession();
    KeyboardSession(const KeyboardSession&) = delete;
    KeyboardSession& operator=(const KeyboardSession&) = delete;
};

// Waits for one key press and returns it, or END_OF_INPUT.
int ReadKey();
// Shows a question and returns the key that answers it. Keys typed before the question
// appeared are dropped first (a terminal only: scripted input is the answers themselves).
int AskKey(const char* question);
// Reads one line without its line end; nothing at the end of input.
std::optional<std::string> ReadLine();

// A yes/no answer; the end of input is a refusal.
bool IsYes(int key);

} // namespace replaymake
