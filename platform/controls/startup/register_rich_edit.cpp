// Linked into every program of the layer (not through the archive, which would drop it), so
// that LoadLibrary("RICHED20.DLL") finds its module before a dialog names "RichEdit20A".
#include "controls/rich_edit.h"

namespace {

const bool kRichEditRegistered = [] {
    lv::controls::register_rich_edit();
    return true;
}();

} // namespace
