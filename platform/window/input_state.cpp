#include "window/input_state.h"

#include <array>
#include <atomic>
#include <mutex>

namespace lv::window {
namespace {

struct InputState {
    std::mutex mutex;
    POINT cursor{0, 0};
    std::array<std::atomic<bool>, 256> down{};
    std::array<std::atomic<bool>, 256> toggled{};
    std::array<std::atomic<bool>, 256> async_down{};
};

InputState& state() {
    static auto* s = new InputState;
    return *s;
}

} // namespace

POINT cursor_position() {
    std::lock_guard lock(state().mutex);
    return state().cursor;
}

void set_cursor_position(POINT p) {
    std::lock_guard lock(state().mutex);
    state().cursor = p;
}

void set_key_down(int vk, bool down) {
    if (vk < 0 || vk > 255)
        return;
    auto& s = state();
    if (down && !s.down[vk].load())
        s.toggled[vk] = !s.toggled[vk].load();
    s.down[vk] = down;
}

void set_async_key_down(int vk, bool down) {
    if (vk >= 0 && vk <= 255)
        state().async_down[vk] = down;
}

bool async_key_down(int vk) {
    return vk >= 0 && vk <= 255 && state().async_down[vk].load();
}

bool key_down(int vk) {
    return vk >= 0 && vk <= 255 && state().down[vk].load();
}

WPARAM mouse_key_flags() {
    WPARAM flags = 0;
    if (key_down(VK_LBUTTON))
        flags |= MK_LBUTTON;
    if (key_down(VK_RBUTTON))
        flags |= MK_RBUTTON;
    if (key_down(VK_MBUTTON))
        flags |= MK_MBUTTON;
    if (key_down(VK_SHIFT))
        flags |= MK_SHIFT;
    if (key_down(VK_CONTROL))
        flags |= MK_CONTROL;
    return flags;
}

bool key_toggled(int vk) {
    return vk >= 0 && vk <= 255 && state().toggled[vk].load();
}

} // namespace lv::window

using namespace lv::window;

SHORT GetKeyState(int virtualKey) {
    SHORT result = 0;
    if (key_down(virtualKey))
        result = static_cast<SHORT>(0x8000);
    if (key_toggled(virtualKey))
        result |= 1;
    return result;
}

SHORT GetAsyncKeyState(int virtualKey) {
    return async_key_down(virtualKey) ? static_cast<SHORT>(0x8000) : 0;
}

BOOL GetCursorPos(LPPOINT point) {
    if (!point)
        return FALSE;
    *point = cursor_position();
    return TRUE;
}
