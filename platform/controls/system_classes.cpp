#include "controls/system_classes.h"

#include "controls/item_control_classes.h"
#include "dialog/dialog_create.h"
#include "win32/controls.h"

#include <mutex>

namespace lv::controls {

void ensure_system_classes() {
    static std::once_flag once;
    std::call_once(once, [] {
        dialog::register_dialog_class();
        register_button_class();
        register_static_class();
        register_edit_class();
        register_progress_class();
        register_updown_class();
        register_listbox_class();
        register_combobox_class();
        register_tooltip_class();
        register_scroll_bar_class();
        register_trackbar_class();
        register_tree_view_class();
        register_list_view_class();
        register_ip_address_class();
        register_item_control_classes();
    });
}

} // namespace lv::controls

void InitCommonControls() {
    lv::controls::ensure_system_classes();
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
    if (!init || init->dwSize != sizeof(INITCOMMONCONTROLSEX))
        return FALSE;
    lv::controls::ensure_system_classes();
    return TRUE;
}
