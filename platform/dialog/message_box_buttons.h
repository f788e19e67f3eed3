// The buttons of a message box style, shared by the headless box and a drawn one.
#pragma once

#include "win32/types.h"

#include <vector>

namespace lv::dialog {

// The result ids of the buttons of uType, left to right; empty when uType names no set.
std::vector<int> message_box_buttons(UINT type);

// The default button's result (MB_DEFBUTTONn beyond the buttons picks the first).
int message_box_default(UINT type);

// What the box returns for an answer: the answer when it is one of the buttons; Cancel or
// Close on an OK-only box give OK, as Escape does; 0 when the box cannot give that answer.
int message_box_result_for(UINT type, int answer);

} // namespace lv::dialog
