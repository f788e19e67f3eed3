#include "window/message_queue.h"

#include "window/thread_id.h"

#include <map>

namespace lv::window {
namespace {

struct Registry {
    std::mutex mutex;
    std::map<DWORD, QueuePtr> queues;
};

Registry& registry() {
    static auto* r = new Registry;
    return *r;
}

void answer_pending(ThreadQueue& q) {
    std::deque<std::shared_ptr<SentRecord>> pending;
    {
        std::lock_guard lock(q.mutex);
        q.alive = false;
        pending.swap(q.incoming);
    }
    for (auto& record : pending) {
        if (!record->sender)
            continue;
        {
            std::lock_guard lock(record->sender->mutex);
            record->result = 0;
            record->done = true;
        }
        record->sender->notify();
    }
}

// Removes the thread's queue when the thread ends and answers sends nobody will serve.
struct QueueHolder {
    QueuePtr queue;
    ~QueueHolder() {
        if (!queue)
            return;
        {
            std::lock_guard lock(registry().mutex);
            registry().queues.erase(queue->thread);
        }
        answer_pending(*queue);
    }
};

thread_local QueueHolder t_holder;

} // namespace

void ThreadQueue::notify() {
    {
        std::lock_guard lock(mutex);
        wake = true;
    }
    changed.notify_all();
}

QueuePtr current_queue_ptr() {
    if (t_holder.queue)
        return t_holder.queue;
    auto q = std::make_shared<ThreadQueue>();
    q->thread = current_thread_id();
    {
        std::lock_guard lock(registry().mutex);
        registry().queues[q->thread] = q;
    }
    t_holder.queue = q;
    return q;
}

ThreadQueue& current_queue() {
    return *current_queue_ptr();
}

QueuePtr queue_of(DWORD thread) {
    std::lock_guard lock(registry().mutex);
    auto it = registry().queues.find(thread);
    return it == registry().queues.end() ? nullptr : it->second;
}

void wake_all_threads() {
    std::vector<QueuePtr> all;
    {
        std::lock_guard lock(registry().mutex);
        for (auto& [id, q] : registry().queues)
            all.push_back(q);
    }
    for (auto& q : all)
        q->notify();
}

void wake_thread(DWORD thread) {
    if (QueuePtr q = queue_of(thread))
        q->notify();
}

} // namespace lv::window
