// The reason the last common dialog of the thread failed, for CommDlgExtendedError.
#pragma once

#include "win32/types.h"

namespace lv::dialog {

// Keeps `error` as the reason and returns FALSE.
BOOL fail_common_dialog(DWORD error);
void clear_common_dialog_error();

} // namespace lv::dialog
