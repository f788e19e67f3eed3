// Window classes by name or atom. Call with the tree lock held.
#pragma once

#include "window/window_table.h"

namespace lv::window {

// The class a window of `name` (a string or MAKEINTATOM) and `instance` is made of.
std::shared_ptr<WindowClass> find_class(LPCSTR name, HINSTANCE instance);
bool names_equal(const std::string& a, const char* b);

} // namespace lv::window
