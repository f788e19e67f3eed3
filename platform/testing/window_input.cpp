#include "testing/window_input.h"

#include "window/input_path.h"

namespace lv::testing {
namespace {

window::input::Button to_button(MouseButton b) {
    switch (b) {
    case MouseButton::left:
        return window::input::Button::left;
    case MouseButton::right:
        return window::input::Button::right;
    default:
        return window::input::Button::middle;
    }
}

} // namespace

void key_down(int virtual_key) {
    window::input::key(virtual_key, true);
}
void key_up(int virtual_key) {
    window::input::key(virtual_key, false);
}

void key_press(int virtual_key) {
    key_down(virtual_key);
    key_up(virtual_key);
}

bool type_text(const std::string& text) {
    for (char ch : text)
        if (!window::input::character(ch))
            return false;
    return true;
}

void mouse_move(int x, int y) {
    window::input::mouse_move(POINT{x, y});
}
void mouse_down(MouseButton button) {
    window::input::mouse_button(to_button(button), true);
}
void mouse_up(MouseButton button) {
    window::input::mouse_button(to_button(button), false);
}

void click(int x, int y, MouseButton button) {
    mouse_move(x, y);
    mouse_down(button);
    mouse_up(button);
}

bool click_window(HWND hwnd, MouseButton button) {
    RECT r{};
    if (!GetWindowRect(hwnd, &r))
        return false;
    click((r.left + r.right) / 2, (r.top + r.bottom) / 2, button);
    return true;
}

void wheel(int delta) {
    window::input::mouse_wheel(delta);
}

} // namespace lv::testing
