// One message queue per thread: posted messages, sent-message records from other threads,
// the quit flag and the thread's timers. Each queue has its own lock, taken after the tree lock.
#pragma once

#include "win32/window.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

namespace lv::window {

struct ThreadQueue;

// A message sent across threads: queued to the owner thread; the sender waits for `done`.
struct SentRecord {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wparam = 0;
    LPARAM lparam = 0;
    LRESULT result = 0;
    bool done = false;                   // guarded by the sender queue's lock
    std::shared_ptr<ThreadQueue> sender; // null for notifications nobody waits for
};

struct Timer {
    HWND hwnd = nullptr;
    UINT_PTR id = 0;
    UINT interval_ms = 0;
    TIMERPROC proc = nullptr;
    std::uint64_t due_ms = 0;
};

struct PostedMessage {
    MSG msg{};
    std::uint64_t seq = 0;
};

struct ThreadQueue {
    DWORD thread = 0;
    std::mutex mutex;
    std::condition_variable changed;
    bool alive = true;
    bool wake = false; // something changed since the owner last looked
    std::deque<PostedMessage> posted;
    std::uint64_t next_seq = 1;
    std::deque<std::shared_ptr<SentRecord>> incoming;
    bool quit = false;
    int quit_code = 0;
    std::vector<Timer> timers;
    UINT_PTR next_timer_id = 1;

    // Touched only by the owner thread.
    std::vector<std::shared_ptr<SentRecord>> serving; // sends being handled, innermost last
    bool serving_replied_top = false;
    DWORD last_message_time = 0;
    DWORD last_message_pos = 0;

    // Marks a change and wakes the owner. Call without holding `mutex`.
    void notify();
};

using QueuePtr = std::shared_ptr<ThreadQueue>;

// The calling thread's queue, created on first use.
ThreadQueue& current_queue();
QueuePtr current_queue_ptr();
// The queue of another thread, or null when that thread has none (or has ended).
QueuePtr queue_of(DWORD thread);

// Blocks the calling thread for at most `real_limit` of real time until something arrives in
// its queue (a post, a send, input, a wake-up); true when something did.
bool wait_for_arrival(std::chrono::milliseconds real_limit);

// Wakes the owner of `thread`'s queue, e.g. after invalidating one of its windows.
void wake_thread(DWORD thread);
// Wakes every thread that has a queue (new input may be for any of them).
void wake_all_threads();

} // namespace lv::window
