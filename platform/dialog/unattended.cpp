#include "dialog/unattended.h"

#include "display/backend.h"

namespace lv::dialog {

bool nobody_can_answer() {
    return !display::somebody_can_answer();
}

} // namespace lv::dialog
