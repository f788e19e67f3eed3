#include "dialog/unattended.h"

#include <cstdlib>
#include <cstring>

namespace lv::dialog {

bool nobody_can_answer() {
    const char* display = std::getenv("LUMIVISTA_DISPLAY");
    return display == nullptr || *display == '\0' || std::strcmp(display, "headless") == 0;
}

} // namespace lv::dialog
