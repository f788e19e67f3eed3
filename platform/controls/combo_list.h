// Between a combo box and the list box it drops: the list tells its combo box instead of a
// parent.
#pragma once

#include "win32/window.h"

namespace lv::controls {

// The class of the list a combo box keeps its items in: a list box by another name.
constexpr char kComboListClass[] = "ComboLBox";
constexpr char kComboOfListProperty[] = "lv.combo";
// Sent to the combo box by its list: an item was picked (wParam: its index) or the pick was
// cancelled (wParam: -1, a click outside the list).
constexpr UINT kComboListPicked = WM_USER + 0x3F0;

inline HWND combo_of_list(HWND list) {
    return static_cast<HWND>(GetPropA(list, kComboOfListProperty));
}

} // namespace lv::controls
