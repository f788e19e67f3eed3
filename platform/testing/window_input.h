// Input injection for tests: the same path a person's keyboard and mouse take, through hit
// testing, capture, activation and the thread hooks. Nothing is dispatched here; the window's
// thread receives the messages from its queue.
#pragma once

#include "win32/window.h"

#include <string>

namespace lv::testing {

enum class MouseButton { left, right, middle };

void key_down(int virtual_key);
void key_up(int virtual_key);
void key_press(int virtual_key);
// Types each character as the key presses that make it; false when one has no key.
bool type_text(const std::string& text);

void mouse_move(int x, int y); // screen coordinates
void mouse_down(MouseButton button = MouseButton::left);
void mouse_up(MouseButton button = MouseButton::left);
void click(int x, int y, MouseButton button = MouseButton::left);
// Clicks the centre of the window's rectangle; false for a stale handle.
bool click_window(HWND hwnd, MouseButton button = MouseButton::left);
void wheel(int delta);

} // namespace lv::testing
