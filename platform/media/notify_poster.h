// How the media layer reaches the window manager: MM_MCINOTIFY is posted through a function the
// window manager installs at start-up. Until one is installed, notifications are dropped.
#pragma once

#include <cstdint>

namespace lv::media {

using PostNotifyFn = bool (*)(void* hwnd, unsigned msg, std::uintptr_t wparam,
                              std::intptr_t lparam);

void set_notify_poster(PostNotifyFn poster);

// Posts MM_MCINOTIFY(flag, device) to a window; a null window gets nothing. Callable from any
// thread, the mixer's included.
void post_notify(void* hwnd, std::uintptr_t flag, unsigned device);

} // namespace lv::media
