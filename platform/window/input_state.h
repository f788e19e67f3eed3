// Global input state: cursor position, key and button states.
#pragma once

#include "win32/window.h"

namespace lv::window {

POINT cursor_position();
void set_cursor_position(POINT p);
// The key state as of the input messages taken so far (GetKeyState).
void set_key_down(int vk, bool down);
bool key_down(int vk);
bool key_toggled(int vk);
// The key state as of the input injected so far (GetAsyncKeyState).
void set_async_key_down(int vk, bool down);
bool async_key_down(int vk);
// MK_* flags for the current button and modifier state.
WPARAM mouse_key_flags();

} // namespace lv::window
