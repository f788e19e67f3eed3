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
