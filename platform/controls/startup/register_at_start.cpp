// Linked into every program of the layer (not through the archive, which would drop it), so
// that CreateWindowEx finds the standard classes before any dialog is made.
#include "controls/system_classes.h"

namespace {

const bool kRegistered = [] {
    lv::controls::ensure_system_classes();
    return true;
}();

} // namespace
