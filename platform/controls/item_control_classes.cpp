#include "controls/item_control_classes.h"

namespace lv::controls {

void register_item_control_classes() {
    register_animate_class();
    register_tab_class();
    register_header_class();
    register_rebar_class();
    register_toolbar_class();
    register_status_bar_class();
    register_link_class();
}

} // namespace lv::controls
