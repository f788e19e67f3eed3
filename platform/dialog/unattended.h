// Whether a person can answer a modal: not without a real display, where only queued answers,
// the answer script and the modal's own code can end it.
#pragma once

namespace lv::dialog {

// True unless a real display shows the dialog (the display's own rule decides).
bool nobody_can_answer();

} // namespace lv::dialog
