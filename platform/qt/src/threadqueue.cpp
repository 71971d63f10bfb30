// Message queues of threads other than the GUI thread, for PostThreadMessageA.
#include "threadqueue.h"

#include "platform/modules.h"

#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>

#include <unistd.h>

namespace win {
namespace {

struct Queue {
    std::mutex mutex;
    std::condition_variable posted;
    std::deque<MSG> messages;
};

std::mutex queuesMutex;
std::map<DWORD, std::shared_ptr<Queue>> queues;

std::shared_ptr<Queue> queueOf(DWORD threadId)
{
    std::lock_guard lock(queuesMutex);
    auto it = queues.find(threadId);
    return it == queues.end() ? nullptr : it->second;
}

// Closes the queue when its thread ends, so a later thread given the same id starts clean.
struct QueueOwner {
    DWORD id = 0;
    ~QueueOwner()
    {
        if (!id)
            return;
        std::lock_guard lock(queuesMutex);
        queues.erase(id);
    }
};
thread_local QueueOwner owner;

bool post(const std::shared_ptr<Queue>& queue, const MSG& msg)
{
    if (!queue)
        return false;
    {
        std::lock_guard lock(queue->mutex);
        queue->messages.push_back(msg);
    }
    queue->posted.notify_one();
    return true;
}

} // namespace

DWORD openThreadQueue()
{
    if (!owner.id) {
        owner.id = GetCurrentThreadId();
        std::lock_guard lock(queuesMutex);
        queues[owner.id] = std::make_shared<Queue>();
    }
    return owner.id;
}

bool postToOwnQueue(const MSG& msg) { return owner.id && post(queueOf(owner.id), msg); }

bool waitThreadMessage(MSG* msg, DWORD timeoutMs)
{
    std::shared_ptr<Queue> queue = queueOf(openThreadQueue());
    std::unique_lock lock(queue->mutex);
    if (!queue->posted.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                [&] { return !queue->messages.empty(); }))
        return false;
    if (msg)
        *msg = queue->messages.front();
    queue->messages.pop_front();
    return true;
}

} // namespace win

DWORD GetCurrentThreadId() { return DWORD(gettid()); }

BOOL PostThreadMessageA(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (win::post(win::queueOf(threadId), MSG{nullptr, message, wParam, lParam}))
        return TRUE;
    SetLastError(ERROR_INVALID_THREAD_ID);
    return FALSE;
}
