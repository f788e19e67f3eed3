#include "media/notify_poster.h"

#include "win32/media.h"

#include <atomic>

namespace lv::media {

namespace {
std::atomic<PostNotifyFn> g_poster{nullptr};
} // namespace

void set_notify_poster(PostNotifyFn poster) {
    g_poster.store(poster);
}

void post_notify(void* hwnd, std::uintptr_t flag, unsigned device) {
    PostNotifyFn poster = g_poster.load();
    if (!hwnd || !poster)
        return;
    poster(hwnd, MM_MCINOTIFY, flag, static_cast<std::intptr_t>(device));
}

} // namespace lv::media
