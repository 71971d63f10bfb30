#include "platform/messages.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>

namespace win {
namespace {

std::mutex mutex;
TextListener debugListener;
TextListener traceListener;

bool debugToStderr()
{
    const char* v = std::getenv("TIDEVANE_DEBUG");
    return v && std::strcmp(v, "1") == 0;
}

class ScriptedBackend : public MessageBoxBackend {
public:
    int show(HWND, const std::string& text, const std::string& caption, UINT type) override
    {
        std::lock_guard lock(mutex);
        int answer = firstButton(type);
        if (!listening) {
            std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
            return answer;
        }
        if (!answers.empty()) {
            answer = answers.front();
            answers.pop_front();
        }
        records.push_back({text, caption, type, answer});
        return answer;
    }
    void beep(UINT type) override
    {
        std::lock_guard lock(mutex);
        if (listening)
            beepRecords.push_back(type);
    }

    bool listening = false;
    std::deque<int> answers;
    std::vector<MessageBoxRecord> records;
    std::vector<UINT> beepRecords;
    std::multimap<std::string, scripted::DialogResult> dialogs;
    std::vector<std::string> opened;
};

std::shared_ptr<ScriptedBackend> scriptedBackend = std::make_shared<ScriptedBackend>();
std::shared_ptr<MessageBoxBackend> backend = scriptedBackend;

std::shared_ptr<MessageBoxBackend> currentBackend()
{
    std::lock_guard lock(mutex);
    return backend;
}

} // namespace

void trace(const char* file, int line, const char* text)
{
    std::string message = std::string(file ? file : "?") + "(" + std::to_string(line) + "): " +
                          (text ? text : "");
    TextListener listener;
    {
        std::lock_guard lock(mutex);
        listener = traceListener;
    }
    if (listener)
        listener(message);
    if (debugToStderr())
        std::fprintf(stderr, "trace: %s\n", message.c_str());
}

void setDebugListener(TextListener listener)
{
    std::lock_guard lock(mutex);
    debugListener = std::move(listener);
}

void setTraceListener(TextListener listener)
{
    std::lock_guard lock(mutex);
    traceListener = std::move(listener);
}

void setMessageBoxBackend(std::shared_ptr<MessageBoxBackend> newBackend)
{
    std::lock_guard lock(mutex);
    backend = newBackend ? std::move(newBackend) : scriptedBackend;
}

int firstButton(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_ABORTRETRYIGNORE: return IDABORT;
    case MB_YESNOCANCEL:
    case MB_YESNO: return IDYES;
    case MB_RETRYCANCEL: return IDRETRY;
    default: return IDOK;
    }
}

namespace scripted {

void listen()
{
    std::lock_guard lock(mutex);
    backend = scriptedBackend;
    scriptedBackend->listening = true;
    scriptedBackend->answers.clear();
    scriptedBackend->records.clear();
    scriptedBackend->beepRecords.clear();
    scriptedBackend->dialogs.clear();
    scriptedBackend->opened.clear();
}

void stopListening()
{
    std::lock_guard lock(mutex);
    scriptedBackend->listening = false;
}

void queueAnswer(int button)
{
    std::lock_guard lock(mutex);
    scriptedBackend->answers.push_back(button);
}

std::vector<MessageBoxRecord> boxes()
{
    std::lock_guard lock(mutex);
    return scriptedBackend->records;
}

std::vector<UINT> beeps()
{
    std::lock_guard lock(mutex);
    return scriptedBackend->beepRecords;
}

void clear()
{
    std::lock_guard lock(mutex);
    scriptedBackend->records.clear();
    scriptedBackend->beepRecords.clear();
    scriptedBackend->opened.clear();
}

void queueDialog(const std::string& dialog, DialogResult result)
{
    std::lock_guard lock(mutex);
    scriptedBackend->dialogs.emplace(dialog, std::move(result));
}

std::optional<DialogResult> takeDialog(const std::string& dialog)
{
    std::lock_guard lock(mutex);
    scriptedBackend->opened.push_back(dialog);
    auto it = scriptedBackend->dialogs.find(dialog);
    if (it == scriptedBackend->dialogs.end())
        return std::nullopt;
    DialogResult result = std::move(it->second);
    scriptedBackend->dialogs.erase(it);
    return result;
}

bool dialogQueued(const std::string& dialog)
{
    std::lock_guard lock(mutex);
    return scriptedBackend->dialogs.count(dialog) != 0;
}

std::vector<std::string> dialogsOpened()
{
    std::lock_guard lock(mutex);
    return scriptedBackend->opened;
}

} // namespace scripted
} // namespace win

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type)
{
    return win::currentBackend()->show(owner, text ? text : "", caption ? caption : "Error", type);
}

BOOL MessageBeep(UINT type)
{
    win::currentBackend()->beep(type);
    return TRUE;
}

void OutputDebugStringA(const char* text)
{
    std::string message = text ? text : "";
    win::TextListener listener;
    {
        std::lock_guard lock(win::mutex);
        listener = win::debugListener;
    }
    if (listener)
        listener(message);
    if (win::debugToStderr())
        std::fprintf(stderr, "debug: %s\n", message.c_str());
}
