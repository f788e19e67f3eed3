// The layer's side of the answers: every modal (message box, dialog, common dialog) asks here
// for its answer before it waits for a person.
#pragma once

#include "testing/answers.h"

#include <optional>
#include <string_view>

namespace lv::testing {

// The next queued answer, else the next answer of the script, else nothing.
std::optional<ModalAnswer> take_modal_answer();

// "OK", "cancel", "TryAgain", "7", ... -> the result id; nothing for an unknown word.
std::optional<int> parse_answer(std::string_view word);

void record_message_box(MessageBoxRecord record);
void record_message_beep(UINT type);

} // namespace lv::testing
