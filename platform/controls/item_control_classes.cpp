#include "controls/item_control_classes.h"

namespace lv::controls {

void register_item_control_classes() {
    register_animate_class();
}

} // namespace lv::controls
