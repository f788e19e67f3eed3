#include "dialog/common_dialog_error.h"

#include "win32/commdlg.h"

namespace lv::dialog {
namespace {

thread_local DWORD t_extended_error = 0;

} // namespace

BOOL fail_common_dialog(DWORD error) {
    t_extended_error = error;
    return FALSE;
}

void clear_common_dialog_error() {
    t_extended_error = 0;
}

} // namespace lv::dialog

DWORD CommDlgExtendedError() {
    return lv::dialog::t_extended_error;
}
