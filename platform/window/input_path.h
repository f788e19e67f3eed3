// The one path of user input: keys and mouse events from the display backend or from tests
// become the messages a person's input makes, through hit testing, capture and activation.
#pragma once

#include "win32/window.h"

namespace lv::window::input {

enum class Button { left, right, middle };

void key(int virtual_key, bool down);
// A character typed as the keys that make it (with Shift where needed); false when the
// character has no key on the layout.
bool character(char ch);
void mouse_move(POINT screen);
void mouse_button(Button button, bool down);
void mouse_wheel(int delta);

} // namespace lv::window::input

namespace lv::window {

// Hardware input is turned into messages when a thread takes it, one event at a time, so that
// capture and activation changes made while handling one event decide where the next one goes.
// Takes the next input message for the calling thread that passes `accepts`; false when the
// next event is for another thread or none is waiting.
struct InputFilter {
    HWND hwnd = nullptr;
    UINT min = 0;
    UINT max = 0;
};
bool take_input(const InputFilter& filter, bool remove, MSG& out);
bool input_pending();

} // namespace lv::window
