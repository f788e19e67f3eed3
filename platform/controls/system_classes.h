// The standard control classes, registered once for the whole process.
#pragma once

namespace lv::controls {

// Registers every standard class (and the dialog class); safe to call any number of times.
void ensure_system_classes();

void register_button_class();
void register_static_class();
void register_edit_class();
void register_progress_class();
void register_updown_class();
void register_listbox_class();
void register_combobox_class();
void register_tooltip_class();
void register_scroll_bar_class();
void register_trackbar_class();
void register_tree_view_class();
void register_list_view_class();
void register_ip_address_class();

} // namespace lv::controls
