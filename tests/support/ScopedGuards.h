// What a test changes for the whole process, given back when the test ends however it ends,
// so a failed assertion cannot leak a limit or a listener into later tests.
#pragma once

#include "platform/messages.h"

#include <csignal>
#include <sys/resource.h>

// Files cannot grow past `bytes`: the disk is full. Writes fail rather than raise SIGXFSZ.
class ScopedFileSizeLimit {
public:
    explicit ScopedFileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &before_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = before_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~ScopedFileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &before_);
        std::signal(SIGXFSZ, previous_);
    }
    ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
    ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

private:
    rlimit before_{};
    void (*previous_)(int) = SIG_DFL;
};

// Message boxes are recorded and answered from the test's queue while it lives.
class ScopedMessageListening {
public:
    ScopedMessageListening() { win::scripted::listen(); }
    ~ScopedMessageListening() { win::scripted::stopListening(); }
    ScopedMessageListening(const ScopedMessageListening&) = delete;
    ScopedMessageListening& operator=(const ScopedMessageListening&) = delete;
};
