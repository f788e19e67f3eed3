// Linked into every program of the layer (not through the archive, which would drop it), so
// that CreateWindowEx finds "MDIClient" before a frame makes its client.
#include "mdi/mdi_client.h"

namespace {

const bool kRegistered = [] {
    lv::mdi::register_mdi_client_class();
    return true;
}();

} // namespace
