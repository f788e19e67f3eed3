#include "window/mci_notify.h"

#include "media/notify_poster.h"
#include "win32/window.h"

namespace lv::window {

namespace {

bool post_to_window(void* hwnd, unsigned msg, std::uintptr_t wparam, std::intptr_t lparam) {
    return ::PostMessageA(static_cast<HWND>(hwnd), msg, static_cast<WPARAM>(wparam),
                          static_cast<LPARAM>(lparam)) != FALSE;
}

} // namespace

void install_mci_notify_poster() {
    lv::media::set_notify_poster(&post_to_window);
}

} // namespace lv::window
