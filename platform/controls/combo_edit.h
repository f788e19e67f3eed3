// The edit field of a drop-down (CBS_DROPDOWN) or simple (CBS_SIMPLE) combo box: it shows the
// selected item's text, takes typing, and hands the keys that move the selection to its combo.
#pragma once

#include "win32/window.h"

#include <string>

namespace lv::controls {

constexpr int kComboEditId = 1001;

struct ComboEdit {
    HWND window = nullptr;
    bool showing_item = false; // while the selection writes its text: no edit notifications
};

// What an edit notification meant for the combo box.
enum class ComboEditEvent { none, focus_gained, focus_lost };

bool create_combo_edit(HWND combo, ComboEdit& edit);
void place_combo_edit(const ComboEdit& edit, const RECT& area);
// The selection's text replaces what the field holds, all of it selected.
void show_item_in_combo_edit(ComboEdit& edit, const std::string& text);
// WM_COMMAND from the field: typing becomes CBN_EDITUPDATE and CBN_EDITCHANGE to the combo
// box's parent; focus changes come back as events.
ComboEditEvent combo_edit_command(HWND combo, const ComboEdit& edit, WPARAM wParam);

} // namespace lv::controls
