// What every standard control shares: its state object behind the window's extra bytes,
// notifications to the parent, the parent's colours and the control's font.
#pragma once

#include "win32/controls.h"
#include "win32/dialog.h"
#include "win32/gdi.h"

#include <string>

namespace lv::controls {

// The C++ state of a control lives behind the first pointer-sized slot of its extra bytes;
// made at WM_NCCREATE, deleted at WM_NCDESTROY.
constexpr int kStateSlot = 0;
constexpr int kControlExtraBytes = static_cast<int>(sizeof(void*));

template <typename State> State* state_of(HWND hwnd) {
    return reinterpret_cast<State*>(GetWindowLongPtrA(hwnd, kStateSlot));
}
template <typename State> State* create_state(HWND hwnd) {
    auto* state = new State;
    SetWindowLongPtrA(hwnd, kStateSlot, reinterpret_cast<LONG_PTR>(state));
    return state;
}
template <typename State> void destroy_state(HWND hwnd) {
    delete state_of<State>(hwnd);
    SetWindowLongPtrA(hwnd, kStateSlot, 0);
}

DWORD style_of(HWND hwnd);
HWND parent_of(HWND hwnd);
// WM_COMMAND with the control's id and a notification code, sent to the parent.
void notify_parent(HWND hwnd, WORD code);
// WM_NOTIFY to the parent with `header` filled in for this control.
LRESULT notify_parent(HWND hwnd, NMHDR& header, UINT code);
// The brush the parent gives for WM_CTLCOLOR<kind>; it also sets the DC's colours.
HBRUSH parent_brush(HWND hwnd, HDC dc, UINT ctlcolor_message);
// The window text as a string.
std::string text_of(HWND hwnd);
// The font a control draws with: what WM_SETFONT gave it, else the system's.
HFONT font_or_default(HFONT font);

// Registers a system class; the class uses CS_GLOBALCLASS so every module finds it.
void register_system_class(const char* name, WNDPROC proc, UINT style, HBRUSH background);

} // namespace lv::controls
