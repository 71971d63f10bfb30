// Message boxes, beeps, the debugger channel and the diagnostic trace.
// Message boxes go through one replaceable backend: the scripted one (tests and headless runs)
// or the Qt one installed by the GUI library.
#pragma once

#include "platform/windef.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// A null caption is "Error". Returns the button pressed (IDOK, IDYES...).
int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type);
BOOL MessageBeep(UINT type);
// Silent unless TIDEVANE_DEBUG=1 (then stderr) or a listener is set.
void OutputDebugStringA(const char* text);

namespace win {

// Internal failures: source file, line and text; silent unless TIDEVANE_DEBUG=1 or listened to.
void trace(const char* file, int line, const char* text);
#define TRACE_HOOK(text) ::win::trace(__FILE__, __LINE__, (text))

using TextListener = std::function<void(const std::string&)>;
void setDebugListener(TextListener listener);   // OutputDebugStringA texts
void setTraceListener(TextListener listener);   // "file(line): text"

class MessageBoxBackend {
public:
    virtual ~MessageBoxBackend() = default;
    virtual int show(HWND owner, const std::string& text, const std::string& caption, UINT type) = 0;
    virtual void beep(UINT type) = 0;
};
void setMessageBoxBackend(std::shared_ptr<MessageBoxBackend> backend);
// The first button of a box of this type: IDOK, IDABORT, IDYES or IDRETRY.
int firstButton(UINT type);

struct MessageBoxRecord {
    std::string text;
    std::string caption;
    UINT type;
    int answer;
};

// The scripted backend, the default. While a test listens, every box is recorded and answered
// from the queue (the first button when it is empty); otherwise it prints "caption: text" to
// stderr and answers the first button.
namespace scripted {
void listen();                 // installs the scripted backend, clears records and answers
void stopListening();
void queueAnswer(int button);
std::vector<MessageBoxRecord> boxes();
std::vector<UINT> beeps();
void clear();

// Modal dialogs run headless take their results from here: tests queue what a named dialog
// returns (its end code and the texts of its controls by identifier).
struct DialogResult {
    intptr_t code = IDOK;
    std::map<int, std::string> controls;
};
void queueDialog(const std::string& dialog, DialogResult result);
std::optional<DialogResult> takeDialog(const std::string& dialog);
bool dialogQueued(const std::string& dialog);  // an answer waits, without taking it
std::vector<std::string> dialogsOpened();
} // namespace scripted

} // namespace win
