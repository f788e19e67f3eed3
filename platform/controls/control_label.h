// Where a static or button control draws its text, and how: what its painting uses, so that a
// check of what a dialog shows measures the text exactly as the control draws it.
#pragma once

#include "win32/gdi.h"

#include <string>

namespace lv::controls {

struct ControlLabel {
    std::string text;
    RECT area{};     // client coordinates
    UINT format = 0; // DrawText flags
    HFONT font = nullptr;
};

// The label of a text static or a push, check, radio or group button; false for any other
// control (pictures, frames, owner-drawn buttons, other classes) and for an empty text.
bool control_label(HWND hwnd, ControlLabel& label);

// The parts of it each control knows.
bool button_label(HWND hwnd, ControlLabel& label);
bool static_label(HWND hwnd, ControlLabel& label);

} // namespace lv::controls
