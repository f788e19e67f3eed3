// Whether a person can answer a modal: not on the headless display, where only queued answers,
// the answer script and the modal's own code can end it.
#pragma once

namespace lv::dialog {

// True unless LUMIVISTA_DISPLAY names a display other than "headless".
bool nobody_can_answer();

} // namespace lv::dialog
